#include "support/VsftpdProcess.h"

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

VsftpdProcess::VsftpdProcess()
{
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
    QFile conf(workPath(QStringLiteral("vsftpd.conf")));
    if (!conf.open(QIODevice::WriteOnly))
        return;
    conf.write(QStringLiteral(
                   "listen=YES\nlisten_ipv6=NO\nlisten_address=127.0.0.1\nlisten_port=%1\n"
                   "background=NO\nseccomp_sandbox=NO\nisolate=NO\nisolate_network=NO\n"
                   "secure_chroot_dir=%2\nanonymous_enable=YES\nlocal_enable=NO\n"
                   "write_enable=YES\nanon_upload_enable=YES\nanon_mkdir_write_enable=YES\n"
                   "anon_other_write_enable=YES\nanon_world_readable_only=NO\n"
                   "no_anon_password=YES\nanon_root=%3\nanon_umask=022\nftp_username=ftp\n"
                   "nopriv_user=ftp\npasv_enable=YES\nconnect_from_port_20=NO\n"
                   "xferlog_enable=NO\nmax_clients=20\n")
                   .arg(port)
                   .arg(workPath(QStringLiteral("empty")), root())
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
