#include "browser/DriveList.h"

#include <QDir>
#include <QStorageInfo>

namespace Browser {

namespace {

QString asEntry(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

} // namespace

QStringList DriveList::entries()
{
    QStringList drives{QStringLiteral("/"), asEntry(QDir::homePath())};
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes()) {
        const QString entry = asEntry(volume.rootPath());
        if (volume.isValid() && volume.isReady() && isUserMount(entry) && !drives.contains(entry))
            drives.append(entry);
    }
    return drives;
}

bool DriveList::isUserMount(const QString &rootPath)
{
    // System mounts (/proc, /sys, /run, /boot ...) are no place for the operator's files.
    for (const char *base : {"/media/", "/mnt/", "/run/media/"}) {
        if (rootPath.startsWith(QLatin1String(base)) && rootPath != QLatin1String(base))
            return true;
    }
    return false;
}

} // namespace Browser
