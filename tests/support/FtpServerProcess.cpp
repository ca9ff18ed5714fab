#include "support/FtpServerProcess.h"

#include "support/TestCertificates.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <sys/prctl.h>

FtpServerProcess::FtpServerProcess()
{
    QFile::setPermissions(work_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                            | QFileDevice::ExeOwner | QFileDevice::ReadOther
                                            | QFileDevice::ExeOther | QFileDevice::ReadGroup
                                            | QFileDevice::ExeGroup);
    QDir().mkpath(root());
    // A test that aborts (its watchdog, a sanitizer report) must not leave its server running.
    process_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

FtpServerProcess::~FtpServerProcess()
{
    process_.kill();
    process_.waitForFinished(5000);
}

Common::ServerProfile FtpServerProcess::profile() const
{
    if (!tls_)
        return Common::ServerProfile{QStringLiteral("127.0.0.1"), port_, user_, password_};
    return Common::ServerProfile{QStringLiteral("127.0.0.1"), port_, user_, password_, Common::TlsPolicy::Required,
                                 TestCertificates::caPem()};
}

void FtpServerProcess::putFile(const QString &relative, const QByteArray &content) const
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).path());
    QFile file(full);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

QByteArray FtpServerProcess::fileContent(const QString &relative) const
{
    QFile file(path(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
