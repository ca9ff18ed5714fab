#include "ftp/FtpTrace.h"

#include <QDateTime>
#include <QFile>
#include <atomic>
#include <fcntl.h>
#include <unistd.h>

namespace Ftp {

int FtpTrace::nextConnection()
{
    static std::atomic<int> count{0};
    return ++count;
}

void FtpTrace::sent(int connection, const QByteArray &line)
{
    write(connection, ">", line.startsWith("PASS ") ? QByteArrayLiteral("PASS ****") : line);
}

void FtpTrace::received(int connection, const QList<QByteArray> &lines)
{
    for (const QByteArray &line : lines)
        write(connection, "<", line);
}

void FtpTrace::note(int connection, const QByteArray &what)
{
    write(connection, "*", what);
}

void FtpTrace::write(int connection, const char *direction, const QByteArray &text)
{
    // Read at each line: support turns it on for one run, tests for one case.
    const QString path = qEnvironmentVariable("HM_FTP_TRACE");
    if (path.isEmpty())
        return;
    // It names the user, the host and every file: a new one is the user's alone, and a
    // symlink planted at the path is not followed. One the support person made keeps its mode.
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC,
                          0600);
    if (fd < 0)
        return;
    const QByteArray stamp = QDateTime::currentDateTime().toString(Qt::ISODateWithMs).toLatin1();
    // One write per line, so that lines of helper connections never mix.
    const QByteArray line = stamp + ' ' + QByteArray::number(connection) + ' ' + direction + ' ' + text + '\n';
    [[maybe_unused]] const ssize_t written = ::write(fd, line.constData(), static_cast<size_t>(line.size()));
    ::close(fd);
}

} // namespace Ftp
