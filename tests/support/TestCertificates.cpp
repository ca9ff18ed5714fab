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
        makeCa(QStringLiteral("ca"), QStringLiteral("HM Test CA"));
        makeCa(QStringLiteral("other-ca"), QStringLiteral("Rogue CA"));
        makeServer(QStringLiteral("server"), QStringLiteral("ca"));
        makeServer(QStringLiteral("rogue"), QStringLiteral("other-ca"));
        QFile rogue(path(QStringLiteral("rogue.both")));
        if (!rogue.open(QIODevice::WriteOnly))
            throw std::runtime_error("cannot write the rogue certificate");
        rogue.write(read(QStringLiteral("rogue.pem")) + read(QStringLiteral("rogue.key")));
    }

    QString path(const QString &name) const { return dir_.filePath(name); }
    QByteArray read(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    void openssl(const QStringList &args) const
    {
        QProcess run;
        run.setWorkingDirectory(dir_.path());
        run.start(QStringLiteral("openssl"), args);
        if (!run.waitForFinished(30000) || run.exitCode() != 0)
            throw std::runtime_error("openssl failed: " + args.join(' ').toStdString() + "\n"
                                     + run.readAllStandardError().toStdString());
    }

    static QStringList newKey()
    {
        return {"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};
    }

    void makeCa(const QString &name, const QString &commonName) const
    {
        openssl(QStringList{"req", "-x509"} + newKey()
                + QStringList{"-keyout", name + ".key", "-out", name + ".pem", "-days", "30", "-subj",
                              "/CN=" + commonName, "-addext", "basicConstraints=critical,CA:TRUE", "-addext",
                              "keyUsage=critical,keyCertSign,cRLSign"});
    }

    void makeServer(const QString &name, const QString &ca) const
    {
        QFile extensions(path(name + ".ext"));
        if (!extensions.open(QIODevice::WriteOnly))
            throw std::runtime_error("cannot write the certificate extensions");
        extensions.write("subjectAltName=IP:127.0.0.1,DNS:localhost\nextendedKeyUsage=serverAuth\n");
        extensions.close();
        openssl(QStringList{"req"} + newKey()
                + QStringList{"-keyout", name + ".key", "-out", name + ".csr", "-subj", "/CN=127.0.0.1"});
        openssl({"x509", "-req", "-in", name + ".csr", "-CA", ca + ".pem", "-CAkey", ca + ".key",
                 "-CAcreateserial", "-out", name + ".pem", "-days", "30", "-extfile", name + ".ext"});
    }

    QTemporaryDir dir_;
};

const Folder &folder()
{
    static const Folder made;
    return made;
}

} // namespace

QByteArray caPem() { return folder().read(QStringLiteral("ca.pem")); }
QString serverCertificate() { return folder().path(QStringLiteral("server.pem")); }
QString serverKey() { return folder().path(QStringLiteral("server.key")); }
QString rogueCertificate() { return folder().path(QStringLiteral("rogue.both")); }

} // namespace TestCertificates
