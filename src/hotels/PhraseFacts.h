#pragma once

#include "ftp/RemoteEntry.h"

#include <QHash>
#include <QString>
#include <functional>
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
    // Whether the local copy may hold edits made since it last arrived: its bytes changed
    // (its size or time moved, where an older record has no digest of them), or nothing was
    // recorded of it.
    bool editedSince(const QString &name, const QString &localCopy) const;
    // Records the listing's facts for `entry`, whose copy now is `localCopy`.
    void record(const Ftp::RemoteEntry &entry, const QString &localCopy);
    // What was remembered of a file not fetched this time is remembered still.
    void carry(const QString &name);
    // Replaces the file whole or not at all; false when it could not.
    bool save() const;

    // The server's size and time of the version last fetched or published, a size of -1
    // once it was removed from here; none when nothing was recorded.
    std::optional<Ftp::RemoteEntry> lastSeen(const QString &name) const;
    // After a publication: `entry` is now the version last seen, the others stay; saved.
    // An entry without a size and time leaves nothing remembered of its file.
    void remember(const Ftp::RemoteEntry &entry, const QString &localCopy);
    // The server's file changed from here without the local copy (a change by hand): `entry`
    // is the version last seen, a size of -1 for none; what is known of the local copy stays.
    void serverChanged(const Ftp::RemoteEntry &entry);
    // After a removal from here: the server's file is gone, and the local copy left behind
    // holds nothing unpublished; saved.
    void removed(const QString &name, const QString &localCopy);

private:
    struct Facts {
        qint64 size = -1;
        QString modified;
        qint64 localSize = -1;
        qint64 localMtimeMs = -1;
        QByteArray localHash; // of the bytes: a save that wrote the same phrases is no edit
    };

    // The local copy's size, time and digest, this one taken over from `was` where they match.
    static Facts local(const QString &localCopy, const Facts *was = nullptr);
    const Facts *knownOf(const QString &name) const;
    static bool storable(const QString &name);
    // What is known, with `name` recorded again by `recordAgain`; saved.
    void replace(const QString &name, const std::function<void()> &recordAgain);
    // `entry`'s size and time (none for a removed file) with the local copy's now.
    void keep(const QString &name, const Ftp::RemoteEntry &entry, const QString &localCopy);

    QString file_;
    QHash<QString, Facts> known_;
    QHash<QString, Facts> recorded_;
};

} // namespace Hotels
