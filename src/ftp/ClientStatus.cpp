#include "ftp/ClientStatus.h"

#include <QStringList>

namespace Ftp {

namespace {

const QStringList kStateTexts = {
    QString(),
    QStringLiteral("Looking up IP address of the host computer"),
    QStringLiteral("Successfully found IP address of the host computer"),
    QStringLiteral("Connecting to the host computer"),
    QStringLiteral("Successfully connected to the host computer"),
    QStringLiteral("Sending a request to the host computer"),
    QStringLiteral("Successfully sent the request"),
    QStringLiteral("Receiving a response from the host computer"),
    QStringLiteral("Successfully received a response from the host computer"),
    QStringLiteral("Disconnecting from the host computer"),
    QStringLiteral("Successfully disconnected from the host computer"),
    QStringLiteral("Error occurred in communicating with the host computer"),
    QStringLiteral("Request completed, all data received"),
};

} // namespace

void ClientStatus::showState(InetState state, bool busy)
{
    if (const int index = static_cast<int>(state); index >= 0 && index < kStateTexts.size())
        StatusBar1.setText(kStateTexts.at(index));
    if (busy)
        StatusBar1.setText(StatusBar1.text() + kBusySuffix);
}

void ClientStatus::showEncryption(const QString &protocol, const QString &refusal)
{
    TlsStatus.setText(protocol.isEmpty() ? kPlainText : protocol);
    TlsRefusal.setText(refusal.isEmpty()
                           ? QString()
                           : QStringLiteral("Connexion non chiffrée : le serveur a refusé TLS (%1)").arg(refusal));
}

} // namespace Ftp
