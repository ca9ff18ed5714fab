#pragma once

#include <QByteArray>
#include <QList>

namespace Ftp {

// What support asks for when a server misbehaves: with HM_FTP_TRACE=FILE set, every command
// and reply of every connection, and each TLS handshake, is appended to FILE with the
// connection's number and the time. The password never is. Unset, nothing is written.
class FtpTrace {
public:
    // A number for a new control connection, so that the lines of helpers tell apart.
    static int nextConnection();
    static void sent(int connection, const QByteArray &line);
    static void received(int connection, const QList<QByteArray> &lines);
    static void note(int connection, const QByteArray &what);

private:
    static void write(int connection, const char *direction, const QByteArray &text);
};

} // namespace Ftp
