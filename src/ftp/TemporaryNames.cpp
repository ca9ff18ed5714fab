#include "ftp/TemporaryNames.h"

#include "ftp/RemoteListing.h"

#include <QRandomGenerator>
#include <QSet>

namespace Ftp {

namespace TemporaryNames {

namespace {

const QString kAside = RemoteListing::kTempPrefix + QStringLiteral("old-");
constexpr qint64 kDeadAfterSecs = 15 * 60;

} // namespace

QString upload(const QString &base)
{
    return RemoteListing::kTempPrefix + QString::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, '0')
         + QLatin1Char('-') + base;
}

QString aside(const QString &base)
{
    return kAside + base;
}

QString keptBy(const QString &asideName)
{
    return asideName.mid(kAside.size());
}

Sweep sweep(const QList<RemoteEntry> &entries)
{
    QSet<QString> names;
    QDateTime now;
    for (const RemoteEntry &entry : entries) {
        names.insert(entry.name);
        const QDateTime listed = RemoteEntry::time(entry.modified);
        if (listed.isValid() && (!now.isValid() || listed > now))
            now = listed;
    }
    Sweep found;
    for (const RemoteEntry &entry : entries) {
        if (entry.folder || !entry.name.startsWith(RemoteListing::kTempPrefix))
            continue;
        const QDateTime touched = RemoteEntry::time(entry.modified);
        if (entry.name.startsWith(kAside) && !names.contains(keptBy(entry.name)))
            found.lone.append(entry.name);
        else if (touched.isValid() && touched.secsTo(now) > kDeadAfterSecs)
            found.dead.append(entry.name);
    }
    return found;
}

} // namespace TemporaryNames

} // namespace Ftp
