#include "ftp/FtpListing.h"

namespace Ftp {

namespace {

constexpr qint64 kMaxListingBytes = 64 * 1024 * 1024;

// 500 to 502: the server does not know or does not offer the command.
bool notOffered(const FtpReply &reply)
{
    return reply.code >= 500 && reply.code <= 502;
}

} // namespace

FtpListing::FtpListing(FtpConnection &link, const QString &folder, FtpConnection::ListDone done)
    : link_(link), folder_(folder), done_(std::move(done))
{
}

void FtpListing::start()
{
    const FtpFeatures &features = link_.features();
    listWith(features.mlsd          ? RemoteListing::Format::Mlsd
             : features.listRefused ? RemoteListing::Format::Nlst
                                    : RemoteListing::Format::List);
}

void FtpListing::listWith(RemoteListing::Format format)
{
    static const QByteArray verbs[] = {"MLSD", "LIST", "NLST"};
    const QByteArray &verb = verbs[static_cast<int>(format)];
    const std::optional<QByteArray> command = folder_.isEmpty() ? verb : link_.line(verb, folder_);
    if (!command)
        return done_(false, FtpReply::local(FtpConnection::tr("The folder name cannot be sent")), {});
    answer_.close();
    answer_.setData(QByteArray());
    answer_.open(QIODevice::WriteOnly);
    auto parse = [this, format](bool ok, const FtpReply &reply) {
        answer_.close();
        if (!ok && format == RemoteListing::Format::List && notOffered(reply)) {
            link_.noteListRefused();
            return listWith(RemoteListing::Format::Nlst);
        }
        // A listing that failed (cut off, over its limit, refused) is not shown in part.
        done_(ok, reply, ok ? RemoteListing::parse(answer_.data(), format, link_.codec()) : QList<RemoteEntry>{});
    };
    link_.transfer(*command, &answer_, FtpConnection::Direction::Download, -1, std::move(parse), kMaxListingBytes);
}

} // namespace Ftp
