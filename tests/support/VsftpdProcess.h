#pragma once

#include "support/FtpServerProcess.h"

// vsftpd with anonymous write access: LIST only, no MLSD, no UTF8. The top of
// the tree is read-only (vsftpd insists); "www" below it is writable.
class VsftpdProcess : public FtpServerProcess {
public:
    VsftpdProcess();

private:
    void writeConfig(quint16 port) const;
    bool waitUntilListening(quint16 port) const;
};
