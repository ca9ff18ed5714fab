#pragma once

#include "common/ServerProfile.h"

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A real FTP server run by a test on a free loopback port, serving a fresh
// temporary folder; stopped when the object goes. Subclasses start one kind.
class FtpServerProcess {
public:
    virtual ~FtpServerProcess();

    bool isRunning() const { return port_ != 0 && process_.state() == QProcess::Running; }
    Common::ServerProfile profile() const;
    bool offersTls() const { return tls_; }
    // The served folder and a path inside it.
    QString root() const { return work_.path() + QStringLiteral("/root"); }
    QString path(const QString &relative) const { return root() + QLatin1Char('/') + relative; }
    // Writes a file into the served tree, creating its folders.
    void putFile(const QString &relative, const QByteArray &content) const;
    QByteArray fileContent(const QString &relative) const;
    // The same for names in raw bytes, as an 8-bit client writes them: the file `name` in
    // the existing folder `relative`, and the names a folder holds, as bytes.
    void putRawFile(const QString &relative, const QByteArray &name, const QByteArray &content) const;
    QByteArray rawFileContent(const QString &relative, const QByteArray &name) const;
    QList<QByteArray> rawNames(const QString &relative) const;

protected:
    FtpServerProcess();
    QString workPath(const QString &name) const { return work_.path() + QLatin1Char('/') + name; }

    QTemporaryDir work_;
    QProcess process_;
    quint16 port_ = 0;
    QString user_ = QStringLiteral("anonymous");
    QString password_ = QStringLiteral("test@example.com");
    // A server that offers TLS is reached the way a build for it would: TLS required,
    // the test CA trusted.
    bool tls_ = false;
};
