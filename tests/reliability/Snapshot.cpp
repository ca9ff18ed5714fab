#include "reliability/Snapshot.h"

#include "ftp/RemoteListing.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <algorithm>
#include <optional>

Snapshot Snapshot::of(const QString &folder, const QStringList &skipped)
{
    Snapshot snapshot;
    const QDir base(folder);
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = base.relativeFilePath(path);
        const auto under = [&relative](const QString &skip) {
            return relative == skip || relative.startsWith(skip + QLatin1Char('/'));
        };
        if (it.fileName().startsWith(Ftp::RemoteListing::kTempPrefix) || std::any_of(skipped.begin(), skipped.end(), under))
            continue;
        if (it.fileInfo().isDir()) {
            snapshot.entries.insert(relative + QLatin1Char('/'), {});
        } else {
            QFile file(path);
            snapshot.entries.insert(relative, file.open(QIODevice::ReadOnly) ? file.readAll() : "<unreadable>");
        }
    }
    return snapshot;
}

QStringList Snapshot::strayedFrom(const Snapshot &after, const Snapshot &allowed) const
{
    QSet<QString> paths;
    for (const Snapshot *s : {this, &after, &allowed})
        for (auto it = s->entries.begin(); it != s->entries.end(); ++it)
            paths.insert(it.key());
    const auto state = [](const Snapshot &s, const QString &path) {
        return s.entries.contains(path) ? std::optional<QByteArray>(s.entries.value(path)) : std::nullopt;
    };
    QStringList strayed;
    for (const QString &path : paths) {
        const auto now = state(after, path);
        if (now != state(*this, path) && now != state(allowed, path))
            strayed.append(path);
    }
    strayed.sort();
    return strayed;
}

QStringList Snapshot::topLevelNames() const
{
    QStringList names;
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        QString name = it.key();
        if (name.endsWith(QLatin1Char('/')))
            name.chop(1);
        if (!name.contains(QLatin1Char('/')))
            names.append(name);
    }
    names.sort();
    return names;
}
