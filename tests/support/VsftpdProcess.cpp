#include "support/VsftpdProcess.h"

#include "support/TestCertificates.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

#include <pwd.h>
#include <unistd.h>

namespace {

quint16 freeLoopbackPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace

VsftpdProcess::VsftpdProcess(bool tls)
{
    tls_ = tls;
    password_.clear();
    QDir().mkpath(path(QStringLiteral("www")));
    QDir().mkpath(workPath(QStringLiteral("empty")));
    if (const passwd *ftp = getpwnam("ftp"))
        (void)chown(path(QStringLiteral("www")).toLocal8Bit().constData(), ftp->pw_uid, ftp->pw_gid);
    const quint16 port = freeLoopbackPort();
    writeConfig(port);
    process_.setProcessChannelMode(QProcess::ForwardedChannels);
    process_.start(QStringLiteral("/usr/sbin/vsftpd"), {workPath(QStringLiteral("vsftpd.conf"))});
    process_.waitForStarted();
    if (waitUntilListening(port))
        port_ = port;
}

void VsftpdProcess::writeConfig(quint16 port) const
{
    QFile shared(QStringLiteral(HM_TEST_SERVERS "/vsftpd.conf"));
    QFile conf(workPath(QStringLiteral("vsftpd.conf")));
    if (!shared.open(QIODevice::ReadOnly) || !conf.open(QIODevice::WriteOnly))
        return;
    conf.write(QString::fromUtf8(shared.readAll())
                   .replace(QStringLiteral("@PORT@"), QString::number(port))
                   .replace(QStringLiteral("@EMPTY@"), workPath(QStringLiteral("empty")))
                   .replace(QStringLiteral("@ROOT@"), root())
                   .toUtf8());
    if (tls_)
        conf.write(QStringLiteral("ssl_enable=YES\nallow_anon_ssl=YES\nforce_anon_logins_ssl=YES\n"
                                  "force_anon_data_ssl=YES\nrequire_ssl_reuse=YES\nssl_ciphers=HIGH\n"
                                  "rsa_cert_file=%1\nrsa_private_key_file=%2\n")
                       .arg(TestCertificates::serverCertificate(), TestCertificates::serverKey())
                       .toUtf8());
}

bool VsftpdProcess::waitUntilListening(quint16 port) const
{
    for (int attempt = 0; attempt < 100 && process_.state() == QProcess::Running; ++attempt) {
        QTcpSocket probe;
        probe.connectToHost(QHostAddress::LocalHost, port);
        if (probe.waitForConnected(100))
            return true;
        QThread::msleep(20);
    }
    return false;
}
