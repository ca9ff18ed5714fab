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

void FtpLogin::sendUser()
{
    const std::optional<QByteArray> user = link_.line("USER", account_.user);
    if (!user)
        return fail(FtpReply::local(FtpConnection::tr("The user name cannot be sent")));
    link_.request(*user, [this](const FtpReply &reply) {
        if (reply.code == 230)
            protectData();
        else if (reply.code == 331)
            sendPassword();
        else
            fail(reply);
    });
}

void FtpLogin::sendPassword()
{
    const std::optional<QByteArray> password = link_.line("PASS", account_.password);
    if (!password)
        return fail(FtpReply::local(FtpConnection::tr("The password cannot be sent")));
    link_.request(*password, [this](const FtpReply &reply) {
        if (reply.code == 230 || reply.code == 202)
            protectData();
        else
            fail(reply);
    });
}

void FtpLogin::protectData()
{
    if (!link_.isEncrypted())
        return readFeatures();
    // Files never travel in clear over an encrypted control connection.
    link_.request("PBSZ 0", [this](const FtpReply &size) {
        if (size.code != 200)
            return fail(size);
        link_.request("PROT P", [this](const FtpReply &protection) {
            if (protection.code != 200)
                return fail(protection);
            readFeatures();
        });
    });
}

void FtpLogin::readFeatures()
{
    if (featuresKnown_)
        return useUtf8();
    link_.request("FEAT", [this](const FtpReply &reply) {
        takeFeatures(reply);
        useUtf8();
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

void FtpLogin::useUtf8()
{
    if (!features_.utf8)
        return switchToBinary();
    // A server that announces UTF8 uses it for names whatever it says to OPTS.
    link_.request("OPTS UTF8 ON", [this](const FtpReply &) { switchToBinary(); });
}

void FtpLogin::switchToBinary()
{
    link_.request("TYPE I", [this](const FtpReply &reply) {
        if (reply.code != 200)
            return fail(reply);
        done_(true, reply, features_);
    });
}

void FtpLogin::fail(const FtpReply &reply)
{
    done_(false, reply, features_);
}

} // namespace Ftp
