#pragma once

#include <QRegularExpression>

#include "browser/RemoteChanges.h"
#include "browser/RemotePane.h"
#include "ftp/FtpSession.h"
#include "support/ScriptedOperator.h"

#include <QList>
#include <QStringList>

// A configured session on a test server, with the browser's remote pane following it,
// recording what went over the wire and every state code.
struct SessionHarness {
    explicit SessionHarness(const Common::ServerProfile &profile, const Ftp::FtpTimeouts &timeouts = {})
        : session(profile, op)
    {
        session.setTimeouts(timeouts);
        session.configure();
        QObject::connect(&session, &Ftp::FtpSession::commandSent, [this](const QString &line) { sent.append(line); });
        QObject::connect(&session, &Ftp::FtpSession::stateChanged,
                         [this](Ftp::InetState state) { states.append(static_cast<int>(state)); });
    }

    bool sentLine(const QString &line) const { return sent.contains(line); }
    // An upload's line: its temporary name has a random part, "~hmpart-XXXXXXXX-".
    bool sentUpload(const QString &verb, const QString &name) const
    {
        return !sent.filter(QRegularExpression("^" + verb + " ~hmpart-[0-9a-f]{8}-" + QRegularExpression::escape(name) + "$"))
                    .isEmpty();
    }

    ScriptedOperator op;
    Ftp::FtpSession session;
    Browser::RemoteChanges changes{session};
    Browser::RemotePane pane{session, changes};
    QStringList sent;
    QList<int> states;
};
