#pragma once

#include "ftp/FtpReply.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace Ftp {

// Cuts the control connection's byte stream into replies: single or multi-line,
// lines ended by CR LF or a bare LF. Bounded, so a hostile server cannot make
// us buffer without end.
class FtpReplyParser {
public:
    static constexpr int kMaxLineLength = 8192;
    static constexpr int kMaxLines = 1000;

    // Takes more bytes; returns the replies they completed. After an error the
    // parser stays failed and returns nothing more.
    QList<FtpReply> feed(const QByteArray &bytes);
    bool failed() const { return !error_.isEmpty(); }
    const QString &error() const { return error_; }
    // True while part of a reply has arrived.
    bool inReply() const { return !pending_.isEmpty() || !current_.lines.isEmpty(); }

private:
    void takeLine(QByteArray line, QList<FtpReply> &done);
    void fail(const QString &error);

    QByteArray pending_;
    FtpReply current_;
    QString error_;
};

} // namespace Ftp
