#pragma once

#include "common/TextValue.h"
#include "ftp/InetState.h"

namespace Ftp {

// What the windows show of the client: the state line and how the last connection was
// protected. Filled by the session, shown by the main window and the browser.
class ClientStatus {
public:
    static inline const QString kBusySuffix = QStringLiteral(". Plaese wait...");
    static inline const QString kPlainText = QStringLiteral("Non chiffré");

    Common::TextValue StatusBar1{QStringLiteral("StatusBar1")};
    // Empty before any connection.
    Common::TextValue TlsStatus{QStringLiteral("TlsStatus")};
    // Why the last connection, or its files, went in clear though TLS was asked; else empty.
    Common::TextValue TlsRefusal{QStringLiteral("TlsRefusal")};

    // `busy`: the client still works on a command.
    void showState(InetState state, bool busy);
    // The protocol ("TLS 1.3"), empty for plain FTP; the server's refusal of TLS, if any.
    void showEncryption(const QString &protocol, const QString &refusal);
};

} // namespace Ftp
