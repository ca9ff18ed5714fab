#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

// Every file under a folder with its content, and every folder (with a trailing
// "/"), by relative path. Our temporary upload names are left out: only files
// under their final names count.
struct Snapshot {
    static Snapshot of(const QString &folder, const QStringList &skipped = {});

    // The paths whose state in `after` is neither this one nor the one in `allowed`.
    QStringList strayedFrom(const Snapshot &after, const Snapshot &allowed) const;
    // The names directly in the folder, folders without their "/".
    QStringList topLevelNames() const;

    bool operator==(const Snapshot &other) const = default;

    QMap<QString, QByteArray> entries;
};
