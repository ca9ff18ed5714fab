#pragma once

#include "support/FtpServerProcess.h"

// vsftpd with anonymous write access: LIST only, no MLSD, no UTF8. The top of
// the tree is read-only (vsftpd insists); "www" below it is writable. With TLS, it
// refuses clear logins and data, and data connections that do not resume the
// control connection's session.
class VsftpdProcess : public FtpServerProcess {
public:
    explicit VsftpdProcess(bool tls = false);

private:
    void writeConfig(quint16 port) const;
    bool waitUntilListening(quint16 port) const;
};
