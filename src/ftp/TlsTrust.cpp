#include "ftp/TlsTrust.h"

#include "common/Module1.h"
#include "common/OperatorUi.h"

#include <QFileInfo>
#include <QSslCertificate>
#include <QStringList>

namespace Ftp {

namespace {

QString reason(const QSslError &error, const QString &hostPort)
{
    switch (error.error()) {
    case QSslError::SelfSignedCertificate:
    case QSslError::SelfSignedCertificateInChain:
        return QStringLiteral("certificat auto-signé");
    case QSslError::UnableToGetIssuerCertificate:
    case QSslError::UnableToGetLocalIssuerCertificate:
    case QSslError::UnableToVerifyFirstCertificate:
    case QSslError::CertificateUntrusted:
        return QStringLiteral("émetteur inconnu");
    case QSslError::CertificateExpired:
        return QStringLiteral("certificat expiré");
    case QSslError::CertificateNotYetValid:
        return QStringLiteral("certificat pas encore valide");
    case QSslError::HostNameMismatch:
        return QStringLiteral("le certificat ne porte pas le nom du serveur (%1)").arg(hostPort.section(':', 0, 0));
    default:
        return error.errorString();
    }
}

QString reasons(const QList<QSslError> &errors, const QString &hostPort)
{
    QStringList all;
    for (const QSslError &error : errors)
        if (const QString text = reason(error, hostPort); !all.contains(text))
            all.append(text);
    return all.join(QStringLiteral(", "));
}

} // namespace

TlsTrust::TlsTrust(const QString &pinsFile, Common::OperatorUi *ui) : pinsFile_(pinsFile), ui_(ui)
{
    if (pinsFile_.isEmpty() || !QFileInfo::exists(pinsFile_))
        return;
    try {
        for (const QString &line : Common::Module1::readListFile(pinsFile_))
            pins_.insert(line.section(' ', 0, 0), line.section(' ', 1, 1));
    } catch (const Common::ListFileError &) {
        // An unreadable pins file pins nothing, and is not written over: the operator is
        // asked again, and what they accept holds for this run.
        writable_ = false;
    }
}

QSslConfiguration TlsTrust::configuration(const QByteArray &extraCaPem)
{
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setProtocol(QSsl::TlsV1_2OrLater);
    config.setPeerVerifyMode(QSslSocket::VerifyPeer);
    config.setSslOption(QSsl::SslOptionDisableSessionPersistence, false);
    if (!extraCaPem.isEmpty())
        config.addCaCertificates(QSslCertificate::fromData(extraCaPem, QSsl::Pem));
    return config;
}

QString TlsTrust::fingerprint(const QSslCertificate &certificate)
{
    return QString::fromLatin1(certificate.digest(QCryptographicHash::Sha256).toHex(':').toUpper());
}

bool TlsTrust::isPinned(const QString &hostPort, const QSslCertificate &certificate) const
{
    const QString pinned = pinnedFingerprint(hostPort);
    return !certificate.isNull() && !pinned.isEmpty() && pinned == fingerprint(certificate);
}

bool TlsTrust::askOperator(const QString &hostPort, const QSslCertificate &certificate,
                           const QList<QSslError> &errors)
{
    const QString seen = hostPort + QLatin1Char(' ') + fingerprint(certificate);
    if (!ui_ || certificate.isNull() || refusedNow_.contains(seen))
        return false;
    const auto answer = ui_->messageBox(question(hostPort, certificate, errors), Common::OperatorUi::Buttons::OkCancel,
                                        Common::OperatorUi::Icon::Exclamation, Common::OperatorUi::kDialogTitle);
    if (answer != Common::OperatorUi::Answer::Ok) {
        refusedNow_.insert(seen);
        return false;
    }
    pin(hostPort, fingerprint(certificate));
    return true;
}

QString TlsTrust::question(const QString &hostPort, const QSslCertificate &certificate,
                           const QList<QSslError> &errors) const
{
    const bool changed = !pinnedFingerprint(hostPort).isEmpty();
    const QString opening =
        changed ? QStringLiteral("ATTENTION : le certificat du serveur %1 a changé depuis que vous l'avez accepté. "
                                 "Ce peut être un autre serveur qui se fait passer pour le vôtre.")
                      .arg(hostPort)
                : QStringLiteral("Le certificat du serveur %1 n'est pas reconnu : %2.").arg(hostPort, reasons(errors, hostPort));
    return opening
           + QStringLiteral("\n\nEmpreinte SHA-256 : %1\nSujet : %2\nValide du %3 au %4\n\n"
                            "OK : faire confiance à ce certificat pour ce serveur. Annuler : ne rien envoyer.")
                 .arg(fingerprint(certificate), certificate.subjectDisplayName(),
                      certificate.effectiveDate().toString(QStringLiteral("dd/MM/yyyy")),
                      certificate.expiryDate().toString(QStringLiteral("dd/MM/yyyy")));
}

QString TlsTrust::pinnedFingerprint(const QString &hostPort) const
{
    return pins_.value(hostPort);
}

void TlsTrust::pin(const QString &hostPort, const QString &fingerprint)
{
    pins_.insert(hostPort, fingerprint);
    if (pinsFile_.isEmpty() || !writable_)
        return;
    QStringList lines;
    for (auto it = pins_.constBegin(); it != pins_.constEnd(); ++it)
        lines.append(it.key() + QLatin1Char(' ') + it.value());
    lines.sort();
    try {
        Common::Module1::SaveListFile(pinsFile_, lines);
    } catch (const Common::ListFileError &) {
        // Accepted for this run only: the operator is asked again at the next start.
    }
}

} // namespace Ftp
