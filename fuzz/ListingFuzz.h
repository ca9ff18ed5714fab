#pragma once

#include "ftp/FtpNameCodec.h"
#include "ftp/RemoteListing.h"

#include <cstddef>
#include <cstdint>

// One listing answer in either character set (the first byte chooses); no entry may
// name anything outside its folder.
inline int fuzzListing(const uint8_t *data, size_t size, Ftp::RemoteListing::Format format)
{
    if (size == 0)
        return 0;
    Ftp::FtpNameCodec codec;
    codec.setUtf8(data[0] & 1);
    const QByteArray answer(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    const QList<Ftp::RemoteEntry> entries = Ftp::RemoteListing::parse(answer, format, codec);
    for (const Ftp::RemoteEntry &entry : entries) {
        if (entry.name.isEmpty() || entry.name.contains(QLatin1Char('/')) || entry.name == QLatin1String(".."))
            __builtin_trap();
    }
    return 0;
}
