#include "ftp/FtpReplyParser.h"

namespace Ftp {

namespace {

// The reply code of a line, or 0 when the line does not start with three digits.
int codeOf(const QByteArray &line)
{
    if (line.size() < 3)
        return 0;
    for (int i = 0; i < 3; ++i)
        if (line[i] < '0' || line[i] > '9')
            return 0;
    return line.left(3).toInt();
}

} // namespace

QList<FtpReply> FtpReplyParser::feed(const QByteArray &bytes)
{
    QList<FtpReply> done;
    if (failed())
        return done;
    pending_ += bytes;
    qsizetype start = 0;
    for (qsizetype end; (end = pending_.indexOf('\n', start)) >= 0 && !failed(); start = end + 1) {
        QByteArray line = pending_.mid(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.size() > kMaxLineLength)
            fail(QStringLiteral("Reply line too long"));
        else
            takeLine(std::move(line), done);
    }
    pending_.remove(0, start);
    if (pending_.size() > kMaxLineLength)
        fail(QStringLiteral("Reply line too long"));
    return failed() ? QList<FtpReply>{} : done;
}

void FtpReplyParser::takeLine(QByteArray line, QList<FtpReply> &done)
{
    bool last = false;
    if (current_.lines.isEmpty()) {
        current_.code = codeOf(line);
        if (current_.code == 0)
            return fail(QStringLiteral("Malformed reply"));
        last = line.size() == 3 || line[3] != '-';
    } else {
        if (current_.lines.size() >= kMaxLines)
            return fail(QStringLiteral("Reply has too many lines"));
        // A multi-line reply ends with its own code followed by a space (or nothing).
        last = codeOf(line) == current_.code && (line.size() == 3 || line[3] == ' ');
    }
    current_.lines.append(std::move(line));
    if (last) {
        done.append(std::move(current_));
        current_ = {};
    }
}

void FtpReplyParser::fail(const QString &error)
{
    error_ = error;
    pending_.clear();
    current_ = {};
}

} // namespace Ftp
