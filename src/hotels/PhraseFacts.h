#pragma once

#include "ftp/RemoteEntry.h"

#include <QHash>
#include <QString>

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
