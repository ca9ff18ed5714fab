#include "support/TestCertificates.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <stdexcept>

namespace TestCertificates {

namespace {

class Folder {
public:
    Folder()
    {
        make(QStringLiteral("trusted"), QStringLiteral("HM Test CA"));
        make(QStringLiteral("rogue"), QStringLiteral("Rogue CA"));
        QFile rogue(path(QStringLiteral("rogue.both")));
        if (!rogue.open(QIODevice::WriteOnly))
            throw std::runtime_error("cannot write the rogue certificate");
        rogue.write(read(QStringLiteral("rogue/server.pem")) + read(QStringLiteral("rogue/server.key")));
    }

    QString path(const QString &name) const { return dir_.filePath(name); }
    QByteArray read(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    void make(const QString &name, const QString &caName) const
    {
        QProcess run;
        run.start(QStringLiteral("bash"), {QStringLiteral(HM_TEST_SERVERS "/../../scripts/make-certificates"),
                                           path(name), caName});
        if (!run.waitForFinished(30000) || run.exitCode() != 0)
            throw std::runtime_error("make-certificates failed: " + run.readAllStandardError().toStdString());
    }

    QTemporaryDir dir_;
};

const Folder &folder()
{
    static const Folder made;
    return made;
}

} // namespace

QByteArray caPem() { return folder().read(QStringLiteral("trusted/ca.pem")); }
QString serverCertificate() { return folder().path(QStringLiteral("trusted/server.pem")); }
QString serverKey() { return folder().path(QStringLiteral("trusted/server.key")); }
QString rogueCertificate() { return folder().path(QStringLiteral("rogue.both")); }

} // namespace TestCertificates
