#include "ftp/FtpLogin.h"

#include "ftp/FtpConnection.h"

namespace Ftp {

using Common::TlsPolicy;

FtpLogin::FtpLogin(FtpConnection &link, const Common::ServerProfile &account, Done done)
    : link_(link), account_(account), done_(std::move(done))
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
        if (reply.code != 234)
            return fail(FtpReply::local(FtpConnection::tr("The server does not accept TLS: ") + reply.text()));
        link_.startTls([this] { sendUser(); });
    });
}

// USER and PASS go together, and the feature list with them while it is not known: a round
// trip for all three. A server that wants no password answers PASS with a refusal we ignore.
void FtpLogin::sendUser()
{
    const std::optional<QByteArray> user = link_.line("USER", account_.user);
    const std::optional<QByteArray> password = link_.line("PASS", account_.password);
    if (!user || !password)
        return fail(FtpReply::local(FtpConnection::tr("The user name or password cannot be sent")));
    const bool askFeatures = !featuresKnown_;
    QList<QByteArray> lines{*user, *password};
    if (askFeatures)
        lines.prepend("FEAT"); // refused before login by some servers: asked again after it then
    link_.requestAll(lines, [this, askFeatures](const QList<FtpReply> &replies) {
        if (askFeatures)
            takeFeatures(replies.first());
        const FtpReply &user = replies.at(replies.size() - 2);
        const FtpReply &password = replies.last();
        if (user.code == 230)
            protectData();
        else if (user.code != 331)
            fail(user);
        else if (password.code == 230 || password.code == 202)
            protectData();
        else
            fail(password);
    });
}

void FtpLogin::protectData()
{
    if (!link_.isEncrypted())
        return readFeatures();
    // Files never travel in clear over an encrypted control connection.
    link_.requestAll({"PBSZ 0", "PROT P"}, [this](const QList<FtpReply> &replies) {
        for (const FtpReply &reply : replies)
            if (reply.code != 200)
                return fail(reply);
        readFeatures();
    });
}

void FtpLogin::readFeatures()
{
    if (featuresKnown_)
        return useUtf8AndBinary();
    link_.request("FEAT", [this](const FtpReply &reply) {
        takeFeatures(reply);
        useUtf8AndBinary();
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

void FtpLogin::useUtf8AndBinary()
{
    // A server that announces UTF8 uses it for names whatever it says to OPTS; one that does
    // not is never asked, lest it switch without saying.
    QList<QByteArray> lines{"TYPE I"};
    if (features_.utf8)
        lines.prepend("OPTS UTF8 ON");
    link_.requestAll(lines, [this](const QList<FtpReply> &replies) {
        if (replies.last().code != 200)
            return fail(replies.last());
        done_(true, replies.last(), features_);
    });
}

void FtpLogin::fail(const FtpReply &reply)
{
    done_(false, reply, features_);
}

} // namespace Ftp
