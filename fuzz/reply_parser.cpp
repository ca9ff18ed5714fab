#include "ftp/FtpReplyParser.h"

#include <cstddef>
#include <cstdint>

// The control connection's bytes, cut at an arbitrary point as a socket may deliver them.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const qsizetype cut = size ? data[0] % (size + 1) : 0;
    Ftp::FtpReplyParser parser;
    QList<Ftp::FtpReply> replies = parser.feed(bytes.left(cut));
    replies += parser.feed(bytes.mid(cut));
    for (const Ftp::FtpReply &reply : replies) {
        (void)reply.text();
        (void)reply.quotedName();
        (void)reply.passivePort();
    }
    (void)parser.inReply();
    return 0;
}
