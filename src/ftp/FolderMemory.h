#pragma once

#include "ftp/RemoteEntry.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <optional>

namespace Ftp {

// What one connection learnt about the server's folders since its login, by folder key
// (see CurrentFolder::keyOf): file facts from listings and uploads, the folders swept of
// leftovers, and those whose names an 8-bit client wrote.
class FolderMemory {
public:
    void clear() { *this = FolderMemory(); }

    // True the first time only: leftovers are swept once per folder and connection.
    bool firstUploadInto(const QString &folder);

    // `whole`: the folder's whole listing with MLSD's facts; a name it lacks is absent.
    void remember(const QString &folder, const QList<RemoteEntry> &entries, bool whole = false);
    // A file's facts when known for sure: its size and time, or absent (a default entry).
    std::optional<RemoteEntry> facts(const QString &folder, const QString &name) const;

    void setEightBit(const QString &folder, bool eightBit);
    // The 8-bit folders `other` knew, after a reconnection that forgot the rest.
    void keepEightBitOf(const FolderMemory &other) { eightBit_ = other.eightBit_; }
    bool isEightBit(const QString &folder) const { return eightBit_.contains(folder); }

private:
    QSet<QString> swept_;
    QHash<QString, RemoteEntry> known_; // by folder and name
    QSet<QString> listedWhole_;
    QSet<QString> eightBit_;
};

} // namespace Ftp
