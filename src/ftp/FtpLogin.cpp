#include "ftp/FtpLogin.h"

#include "ftp/FtpConnection.h"

namespace Ftp {

using Common::TlsPolicy;

FtpLogin::FtpLogin(FtpConnection &link, const Common::ServerProfile &account, QList<QByteArray> walk, Done done)
    : link_(link), account_(account), walk_(std::move(walk)), done_(std::move(done))
{
}

void FtpLogin::greeted(const FtpReply &greeting)
{
    if (greeting.code != 220)
        return fail(greeting);
    switch (account_.tls) {
    case TlsPolicy::Off: return sendUser();
    case TlsPolicy::WhenOffered: return askFeaturesFirst();
    case TlsPolicy::Required: return secure();
    }
}

void FtpLogin::askFeaturesFirst()
{
    // Whether the server offers TLS; the list also serves after the login.
    link_.request("FEAT", [this](const FtpReply &reply) {
        takeFeatures(reply);
        features_.authTls ? secure() : sendUser();
    });
}

void FtpLogin::secure()
{
    link_.request("AUTH TLS", [this](const FtpReply &reply) {
        if (reply.code == 234)
            return link_.startTls([this] { sendUser(); });
        if (mustFail(reply))
            return fail(FtpReply::local(FtpConnection::tr("The server does not accept TLS: ") + reply.text()));
        sendUser();
    });
}

bool FtpLogin::mustFail(const FtpReply &refusal)
{
    if (account_.tls != TlsPolicy::WhenOffered || refusal.code < 400)
        return true;
    tlsRefusal_ = refusal.text();
    return false;
}

// The whole login in one round trip: the feature list while it is not known, USER and
// PASS, PBSZ and PROT over TLS, TYPE I, PWD for where the login puts us, and the lines along.
// The server takes them in order, each after the login it needs. A server that wants no
// password answers PASS with a refusal we ignore.
void FtpLogin::sendUser()
{
    const std::optional<QByteArray> user = link_.line("USER", account_.user);
    const std::optional<QByteArray> password = link_.line("PASS", account_.password);
    if (!user || !password)
        return fail(FtpReply::local(FtpConnection::tr("The user name or password cannot be sent")));
    const bool askFeatures = !featuresKnown_;
    const bool encrypted = link_.isEncrypted();
    QList<QByteArray> lines{*user, *password};
    if (askFeatures)
        lines.prepend("FEAT"); // refused before login by some servers: asked again after it then
    if (encrypted)
        lines << "PBSZ 0" << "PROT P"; // files never travel in clear over an encrypted connection
    lines << "TYPE I" << "PWD" << walk_;
    link_.requestAll(lines, [this, askFeatures, encrypted](QList<FtpReply> replies) {
        walkReplies_ = replies.mid(replies.size() - walk_.size());
        replies.resize(replies.size() - walk_.size());
        if (askFeatures)
            takeFeatures(replies.takeFirst());
        const FtpReply user = replies.takeFirst();
        const FtpReply password = replies.takeFirst();
        const FtpReply pwd = replies.takeLast();
        if (user.code != 230 && user.code != 331)
            return fail(user);
        if (user.code == 331 && password.code != 230 && password.code != 202)
            return fail(password);
        const FtpReply type = replies.takeLast();
        for (const FtpReply &protection : replies) // PBSZ, PROT: files in clear if refused
            if (protection.code != 200 && mustFail(protection))
                return fail(protection);
        if (type.code != 200)
            return fail(type);
        protectsData_ = encrypted && tlsRefusal_.isEmpty();
        if (pwd.code == 257)
            loginFolder_ = pwd.quotedName();
        readFeatures(type);
    });
}

void FtpLogin::readFeatures(const FtpReply &loggedIn)
{
    if (featuresKnown_)
        return finish(loggedIn);
    link_.request("FEAT", [this, loggedIn](const FtpReply &reply) {
        takeFeatures(reply);
        finish(loggedIn);
    });
}

void FtpLogin::takeFeatures(const FtpReply &reply)
{
    featuresKnown_ = reply.code == 211;
    // Without a feature list, EPSV is still worth a try.
    features_.epsv = !featuresKnown_;
    for (qsizetype i = 1; featuresKnown_ && i + 1 < reply.lines.size(); ++i) {
        const QByteArray feature = reply.lines[i].trimmed().toUpper();
        features_.mlsd = features_.mlsd || feature.startsWith("MLST") || feature.startsWith("MLSD");
        features_.epsv = features_.epsv || feature == "EPSV";
        features_.size = features_.size || feature == "SIZE";
        features_.utf8 = features_.utf8 || feature == "UTF8";
        features_.authTls = features_.authTls || (feature.startsWith("AUTH ") && feature.contains("TLS"));
        features_.restStream = features_.restStream || feature == "REST STREAM";
        features_.mdtm = features_.mdtm || feature == "MDTM";
        features_.mfmt = features_.mfmt || feature == "MFMT";
    }
}

void FtpLogin::finish(const FtpReply &loggedIn)
{
    // A server that announces UTF8 uses it for names whatever it says to OPTS; one that does
    // not is never asked, lest it switch without saying. The answer changes nothing, so the
    // line goes along with the next command.
    if (features_.utf8)
        link_.sendBeforeNext("OPTS UTF8 ON");
    done_(true, loggedIn, features_);
}

void FtpLogin::fail(const FtpReply &reply)
{
    done_(false, reply, features_);
}

} // namespace Ftp
