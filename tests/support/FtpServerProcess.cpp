#include "support/FtpServerProcess.h"

#include "support/TestCertificates.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
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
    // Qt cannot name what an 8-bit client wrote, so it could not remove it.
    std::error_code ignored;
    std::filesystem::remove_all(QFile::encodeName(work_.path()).toStdString(), ignored);
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

namespace {

std::string rawPath(const QString &folder, const QByteArray &name)
{
    return (QFile::encodeName(folder) + '/' + name).toStdString();
}

} // namespace

void FtpServerProcess::putRawFile(const QString &relative, const QByteArray &name, const QByteArray &content) const
{
    std::ofstream(rawPath(path(relative), name), std::ios::binary).write(content.constData(), content.size());
}

QByteArray FtpServerProcess::rawFileContent(const QString &relative, const QByteArray &name) const
{
    std::ifstream in(rawPath(path(relative), name), std::ios::binary);
    return in ? QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(in), {})) : QByteArray("<missing>");
}

QList<QByteArray> FtpServerProcess::rawNames(const QString &relative) const
{
    QList<QByteArray> names;
    for (const auto &entry : std::filesystem::directory_iterator(QFile::encodeName(path(relative)).toStdString()))
        names.append(QByteArray::fromStdString(entry.path().filename().string()));
    std::sort(names.begin(), names.end());
    return names;
}

QByteArray FtpServerProcess::fileContent(const QString &relative) const
{
    QFile file(path(relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
