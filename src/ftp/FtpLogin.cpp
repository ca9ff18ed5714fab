#include "ftp/FtpLogin.h"

#include "ftp/FtpConnection.h"

namespace Ftp {

FtpLogin::FtpLogin(FtpConnection &link, const Common::ServerProfile &account, Done done)
    : link_(link), account_(account), done_(std::move(done))
{
}

void FtpLogin::greeted(const FtpReply &greeting)
{
    const std::optional<QByteArray> user = link_.line("USER", account_.user);
    if (greeting.code != 220)
        return fail(greeting);
    if (!user)
        return fail(FtpReply::local(FtpConnection::tr("The user name cannot be sent")));
    link_.request(*user, [this](const FtpReply &reply) {
        if (reply.code == 230)
            readFeatures();
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
            readFeatures();
        else
            fail(reply);
    });
}

void FtpLogin::readFeatures()
{
    link_.request("FEAT", [this](const FtpReply &reply) {
        // Without a feature list, EPSV is still worth a try.
        features_.epsv = reply.code != 211;
        for (qsizetype i = 1; reply.code == 211 && i + 1 < reply.lines.size(); ++i) {
            const QByteArray feature = reply.lines[i].trimmed().toUpper();
            features_.mlsd = features_.mlsd || feature.startsWith("MLST") || feature.startsWith("MLSD");
            features_.epsv = features_.epsv || feature == "EPSV";
            features_.size = features_.size || feature == "SIZE";
            features_.utf8 = features_.utf8 || feature == "UTF8";
        }
        if (!features_.utf8)
            return switchToBinary();
        // A server that announces UTF8 uses it for names whatever it says to OPTS.
        link_.request("OPTS UTF8 ON", [this](const FtpReply &) { switchToBinary(); });
    });
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
