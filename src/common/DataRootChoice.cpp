#include "common/DataRootChoice.h"

#include "common/DataRoot.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

namespace Common {

namespace {

const QString kFolderName = QStringLiteral("pendric-hotel-manager");

// Nothing under /usr is written by the programs that live there, even when run by root.
bool isSystemFolder(const QString &folder)
{
    return folder == QLatin1String("/usr") || folder.startsWith(QLatin1String("/usr/"));
}

// A folder that exists and can be written, or that could be made in one that can.
bool canHold(const QString &folder)
{
    const QFileInfo info(folder);
    if (info.exists())
        return info.isDir() && info.isWritable();
    return info.path() != folder && canHold(info.path());
}

bool canHoldData(const DataRoot &root)
{
    return canHold(root.cfg()) && canHold(root.textes()) && canHold(root.temp());
}

// Copies every file under `from` to the same place under `to`; false when one could not be.
bool copyTree(const QString &from, const QString &to)
{
    bool copied = QDir().mkpath(to);
    QDirIterator files(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString source = files.next();
        const QString target = to + QLatin1Char('/') + QDir(from).relativeFilePath(source);
        copied = (files.fileInfo().isDir() ? QDir().mkpath(target) : QFile::copy(source, target)) && copied;
    }
    return copied;
}

} // namespace

DataRootChoice DataRootChoice::choose(const QString &programFolder)
{
    const DataRoot beside(programFolder);
    if (!isSystemFolder(beside.path()) && canHoldData(beside))
        return {beside.path(), {}, true};

    const DataRoot own(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                       + QLatin1Char('/') + kFolderName);
    DataRootChoice choice{own.path(), {}, true};
    if (QFileInfo(beside.cfg()).isDir() && !QFileInfo::exists(own.cfg())) {
        choice.adoptedFrom = beside.cfg();
        choice.adoptedAll = copyTree(beside.cfg(), own.cfg());
    }
    return choice;
}

QString DataRootChoice::statusLine() const
{
    const QString line = QStringLiteral("Dossier des données : %1").arg(path);
    if (adoptedFrom.isEmpty())
        return line;
    if (!adoptedAll)
        return line + QStringLiteral(" (* * * ERREUR: listes de %1 reprises en partie * * *)").arg(adoptedFrom);
    return line + QStringLiteral(" (listes reprises de %1)").arg(adoptedFrom);
}

} // namespace Common
