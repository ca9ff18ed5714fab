#pragma once

#include "ftp/RemoteEntry.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace Ftp {

class FtpNameCodec;

// A folder's listing as the server sent it, made safe: "." and "..", names with
// control characters and names with a "/" never come out, so a listing never
// names anything outside its folder.
class RemoteListing {
public:
    enum class Format { Mlsd, List, Nlst };

    // Every name temporary files of ours begin with; such names are never shown.
    static inline const QString kTempPrefix = QStringLiteral("~hmpart-");

    static QList<RemoteEntry> parse(const QByteArray &answer, Format format,
                                    const FtpNameCodec &codec);

private:
    static bool isSafeName(const QString &name);
};

} // namespace Ftp
