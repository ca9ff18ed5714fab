#include "ftp/FolderMemory.h"

namespace Ftp {

namespace {

QString fileKey(const QString &folder, const QString &name)
{
    return folder + QLatin1Char('\n') + name;
}

} // namespace

bool FolderMemory::firstUploadInto(const QString &folder)
{
    if (swept_.contains(folder))
        return false;
    swept_.insert(folder);
    return true;
}

void FolderMemory::remember(const QString &folder, const QList<RemoteEntry> &entries, bool whole)
{
    if (whole)
        listedWhole_.insert(folder);
    for (const RemoteEntry &entry : entries)
        known_.insert(fileKey(folder, entry.name), entry);
}

std::optional<RemoteEntry> FolderMemory::facts(const QString &folder, const QString &name) const
{
    const RemoteEntry known = known_.value(fileKey(folder, name));
    if ((known.size >= 0 && !known.modified.isEmpty()) || (known.name.isEmpty() && listedWhole_.contains(folder)))
        return known;
    return std::nullopt;
}

void FolderMemory::setEightBit(const QString &folder, bool eightBit)
{
    if (eightBit)
        eightBit_.insert(folder);
    else
        eightBit_.remove(folder);
}

} // namespace Ftp
