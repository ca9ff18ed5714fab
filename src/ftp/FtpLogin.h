#pragma once

#include "common/ServerProfile.h"
#include "ftp/FtpReply.h"

#include <functional>

namespace Ftp {

class FtpConnection;

// What a server offers, learnt at login and while listing.
struct FtpFeatures {
    bool mlsd = false;
    bool size = false;
    bool epsv = true;
    bool utf8 = false;
    bool authTls = false;
    bool restStream = false; // REST before STOR and RETR resumes a transfer
    bool mdtm = false;
    bool mfmt = false; // the server sets a file's modification time
    bool listRefused = false; // LIST unknown: NLST then
};

// Logging in on a fresh control connection: the greeting, TLS as the account's policy
// says (AUTH TLS before USER, then PBSZ 0 and PROT P), USER and PASS, the feature list,
// UTF-8 names when offered, binary mode. Ends once, with what the server offers.
// "When offered" goes on in clear where the server refuses its own offer of TLS (listed in
// FEAT, but set up without a certificate, say); "required" never does.
// The lines of a `walk` down go in the login's own flight, after it: only harmless ones,
// which reach the server after a failed login too.
class FtpLogin {
public:
    using Done = std::function<void(bool ok, const FtpReply &reply, const FtpFeatures &features)>;

    FtpLogin(FtpConnection &link, const Common::ServerProfile &account, QList<QByteArray> walk, Done done);
    void greeted(const FtpReply &greeting);
    // The folder the login put us in, as PWD named it; empty when it did not.
    const QByteArray &loginFolder() const { return loginFolder_; }
    // The replies to the walk's lines, once logged in.
    const QList<FtpReply> &walkReplies() const { return walkReplies_; }
    // Why the connection, or its files, go in clear though TLS was asked: the server's
    // refusal; empty when nothing was refused.
    const QString &tlsRefusal() const { return tlsRefusal_; }
    bool protectsData() const { return protectsData_; }

private:
    void askFeaturesFirst();
    void secure();
    void sendUser();
    void readFeatures(const FtpReply &loggedIn);
    void takeFeatures(const FtpReply &reply);
    // False when the policy lets the login go on in clear after `refusal`.
    bool mustFail(const FtpReply &refusal);
    void finish(const FtpReply &loggedIn);
    void fail(const FtpReply &reply);

    FtpConnection &link_;
    Common::ServerProfile account_;
    QList<QByteArray> walk_;
    QList<FtpReply> walkReplies_;
    Done done_;
    FtpFeatures features_;
    bool featuresKnown_ = false;
    QByteArray loginFolder_;
    QString tlsRefusal_;
    bool protectsData_ = false;
};

} // namespace Ftp
