#pragma once

#include "ftp/RemoteEntry.h"

#include <QHash>
#include <QString>
#include <optional>

namespace Hotels {

// What the server said of each phrase file when it last arrived (size and modification
// time from the listing) and what the local copy was then. A copy is kept at the next start
// only when all four still match exactly; any doubt means a download. Kept in a file of its
// own beside the phrase folder; a missing or unreadable one only costs downloads.
class PhraseFacts {
public:
    explicit PhraseFacts(const QString &file);

    bool unchanged(const Ftp::RemoteEntry &entry, const QString &localCopy) const;
    // Whether the local copy may hold edits made since it last arrived: its size or time
    // moved, or nothing was recorded of it.
    bool editedSince(const QString &name, const QString &localCopy) const;
    // Records the listing's facts for `entry`, whose copy now is `localCopy`.
    void record(const Ftp::RemoteEntry &entry, const QString &localCopy);
    // Replaces the file whole or not at all; false when it could not.
    bool save() const;

    // The server's size and time of the version last fetched or published; none when
    // nothing was recorded.
    std::optional<Ftp::RemoteEntry> lastSeen(const QString &name) const;
    // After a publication: `entry` is now the version last seen, the others stay; saved.
    // An entry without a size and time leaves nothing remembered of its file.
    void remember(const Ftp::RemoteEntry &entry, const QString &localCopy);
    // After a removal: nothing is remembered of the file any more; saved.
    void forget(const QString &name);

private:
    struct Facts {
        qint64 size = -1;
        QString modified;
        qint64 localSize = -1;
        qint64 localMtimeMs = -1;
    };

    static Facts local(const QString &localCopy);

    QString file_;
    QHash<QString, Facts> known_;
    QHash<QString, Facts> recorded_;
};

} // namespace Hotels
