#include "support/PyftpdProcess.h"

#include "support/TestCertificates.h"

#include <QFile>

PyftpdProcess::PyftpdProcess(const Options &options)
{
    QStringList args{QStringLiteral(HM_TEST_SERVERS "/pyftpd.py"),
                     QStringLiteral("--root"), root(),
                     QStringLiteral("--port"), QStringLiteral("0"),
                     QStringLiteral("--log"), workPath(QStringLiteral("commands.log")),
                     QStringLiteral("--fault-file"), workPath(QStringLiteral("faults"))};
    if (!options.mlsd)
        args << QStringLiteral("--no-mlsd");
    if (options.throttleBytesPerSecond > 0)
        args << QStringLiteral("--throttle") << QString::number(options.throttleBytesPerSecond);
    if (options.maxLogins > 0)
        args << QStringLiteral("--max-logins") << QString::number(options.maxLogins);
    if (options.latencyMs > 0)
        args << QStringLiteral("--latency-ms") << QString::number(options.latencyMs) << QStringLiteral("--trip-log")
             << workPath(QStringLiteral("trips.log"));
    tls_ = options.tls;
    if (options.tls)
        args << QStringLiteral("--tls-cert") << TestCertificates::serverCertificate() << QStringLiteral("--tls-key")
             << TestCertificates::serverKey() << QStringLiteral("--tls-rogue-cert")
             << TestCertificates::rogueCertificate();
    for (const QString &fault : options.faults)
        args << QStringLiteral("--fault") << fault;
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(HM_TEST_PYTHON), args);
    // The server prints its port once it listens.
    while (!process_.canReadLine() && process_.waitForReadyRead(10000)) {
    }
    port_ = static_cast<quint16>(process_.readLine().trimmed().toUInt());
}

QStringList PyftpdProcess::receivedCommands() const
{
    QFile log(workPath(QStringLiteral("commands.log")));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QList<QStringList> PyftpdProcess::roundTrips(int connection) const
{
    QFile log(workPath(QStringLiteral("trips.log")));
    QList<QStringList> trips;
    if (!log.open(QIODevice::ReadOnly))
        return trips;
    for (const QString &line : QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(QLatin1Char(' '));
        if (fields.size() < 3 || fields[0].toInt() != connection)
            continue;
        trips.resize(std::max<qsizetype>(trips.size(), fields[1].toInt()));
        trips[fields[1].toInt() - 1].append(fields.mid(2).join(QLatin1Char(' ')));
    }
    return trips;
}

void PyftpdProcess::setFaults(const QStringList &faults) const
{
    QFile file(workPath(QStringLiteral("faults")));
    if (file.open(QIODevice::WriteOnly))
        file.write(faults.join(QLatin1Char('\n')).toUtf8());
}
