#pragma once

#include "ftp/FtpOutcome.h"

#include <QStringList>

namespace Common { class ProgressWindow; }

namespace Ftp {

class FtpSession;

// One publishing operation, a step of an operator action (FtpSession::runAction), run the
// way every one runs: the progress window shown over the disabled main window, the bar
// set, one connection opened in the login folder, the folders walked down, each file
// captioned, sent and counted; and on every way out the progress window hidden and the
// connection closed at the end of the action. A step on a connection an earlier one left open
// starts with one "CD" to the login folder, sent with the walk.
class Publication {
public:
    Publication(FtpSession &ftp, Common::ProgressWindow &progress);
    ~Publication();
    Publication(const Publication &) = delete;
    Publication &operator=(const Publication &) = delete;

    // Minimum 0, then the start value, then the maximum.
    void setBar(float start, float total);
    // Opens the connection by listing the login folder, unless one is open already.
    void connect();
    // Down from the current folder, all levels in one round trip. Stops at the first
    // refusal, so a file is never sent into the folder where the walk got stuck: returns
    // that "CD", or an ok outcome once every level was reached.
    FtpOutcome walk(const QStringList &folders);
    void caption(const QString &text);
    // The caption, then "PUT", then the bar one on.
    FtpOutcome send(const QString &caption, const QString &localfic, const QString &remotefic,
                    bool onlyIfChanged = false);
    // Down `folders` (none: from the login folder), then `send`. A walk that stops sends
    // nothing into the folder where it got stuck, returns its refusal and moves the bar on.
    FtpOutcome sendInto(const QStringList &folders, const QString &caption, const QString &localfic,
                        const QString &remotefic, bool onlyIfChanged = false);
    void advance();
    // The editing mode stays connected in the folder it reached.
    void keepConnection() { keep_ = true; }

private:
    // The "CD" back to the login folder that the step still owes, sent with the next walk.
    void startAtLoginFolder();

    FtpSession &ftp_;
    Common::ProgressWindow &progress_;
    QString loginFolder_;
    QStringList wayDown_; // the folders walked down from the login folder
    int walkedOn_ = 0;    // on which of the session's connections (FtpSession::logins)
    bool atLoginFolder_ = false; // a connection of its own, where the login put it
    bool keep_ = false;
};

} // namespace Ftp
