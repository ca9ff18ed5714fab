#include "ftp/FtpTrace.h"

#include <QDateTime>
#include <QFile>
#include <atomic>

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
    QFile file(path);
    if (!file.open(QIODevice::Append))
        return;
    const QByteArray stamp = QDateTime::currentDateTime().toString(Qt::ISODateWithMs).toLatin1();
    file.write(stamp + ' ' + QByteArray::number(connection) + ' ' + direction + ' ' + text + '\n');
}

} // namespace Ftp
