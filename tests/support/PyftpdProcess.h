#pragma once

#include "support/FtpServerProcess.h"

#include <QStringList>

// tests/servers/pyftpd.py: MLSD, UTF8, and the scripted fault modes.
class PyftpdProcess : public FtpServerProcess {
public:
    struct Options {
        bool mlsd = true;
        QStringList faults;
        int throttleBytesPerSecond = 0;
        bool tls = false; // explicit FTPS with the test CA's certificate, and the rogue one at hand
        int latencyMs = 0; // every reply this late
        int maxLogins = 0; // connections at once; 0 for no limit
    };

    explicit PyftpdProcess(const Options &options);
    PyftpdProcess() : PyftpdProcess(Options{}) {}

    // Fault modes on top of the options', switched while the server runs.
    void setFaults(const QStringList &faults) const;

    // Every command line the server received, in order.
    QStringList receivedCommands() const;
    // With latency: the command lines of each round trip on the `connection`th connection
    // that spoke (the first by default), each round trip's lines sent together.
    QList<QStringList> roundTrips(int connection = 1) const;
};
