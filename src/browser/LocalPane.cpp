#include "browser/LocalPane.h"

#include "common/PlainName.h"
#include "browser/DriveList.h"

#include <QDir>
#include <QFileInfo>

namespace Browser {

LocalPane::LocalPane(QObject *parent) : QObject(parent)
{
}

bool LocalPane::setPath(const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable())
        return false;
    path_ = QDir::cleanPath(info.absoluteFilePath());
    ChangeDir();
    return true;
}

void LocalPane::ChangeDir()
{
    const QDir folder(path_);
    const QDir::SortFlags order = QDir::Name | QDir::IgnoreCase;
    QStringList entries;
    for (const QString &name : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, order))
        entries.append(name + u'/');
    entries += folder.entryList(QDir::Files, order);
    List2.setItems(entries);
    Text1.setText(path_.endsWith(u'/') ? path_ : path_ + u'/');
}

void LocalPane::ChangeDrive()
{
    List2.setItems(DriveList::entries());
    Text1.setText({});
}

void LocalPane::Up()
{
    if (!hasFolder() || path_ == QLatin1String("/")) {
        ChangeDrive();
        return;
    }
    setPath(QFileInfo(path_).path());
}

bool LocalPane::enter(const QString &entry)
{
    if (!isFolderEntry(entry))
        return false;
    // Drive entries are absolute mount folders; folder entries are names in the current folder.
    if (entry.startsWith(u'/'))
        setPath(entry);
    else if (hasFolder())
        setPath(Text1.text() + entry);
    return true;
}

QString LocalPane::filePath(const QString &name) const
{
    // A bare file name stays inside the folder it is written to.
    if (!hasFolder() || !Common::PlainName::isFileName(name))
        return {};
    return Text1.text() + name;
}

} // namespace Browser
