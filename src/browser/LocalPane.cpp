#include "browser/LocalPane.h"

#include "browser/DriveList.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

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
    if (!hasFolder() || !isPlainFileName(name))
        return {};
    return Text1.text() + name;
}

bool LocalPane::isPlainFileName(const QString &name)
{
    const bool control = std::any_of(name.begin(), name.end(),
                                     [](QChar c) { return c.category() == QChar::Other_Control; });
    // 255 bytes: the longest name a local file system takes.
    return !name.isEmpty() && !control && !name.contains(u'/') && !name.contains(u'\\')
           && !name.contains(QLatin1String("..")) && name.toUtf8().size() <= 255;
}
