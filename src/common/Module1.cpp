#include "common/Module1.h"

#include "common/Cp1252.h"
#include "common/ListBox.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace Common {

namespace {

QByteArray encodeLines(const QString &path, const QStringList &items)
{
    QByteArray bytes;
    for (const QString &item : items) {
        const auto line = Cp1252::encode(item);
        if (!line)
            throw ListFileError(QStringLiteral("%1: texte non enregistrable (caractère hors Windows-1252)")
                                    .arg(path));
        bytes += *line;
        bytes += "\r\n";
    }
    return bytes;
}

// Opens the temporary file beside `path`; refuses a read-only file rather than replacing it.
void openForReplace(QSaveFile &file)
{
    // The owner's write bit, not only access(): root may write anything, yet a file the
    // operator made read-only must stay as it is.
    const QFileInfo info(file.fileName());
    if (info.exists() && (!info.isWritable() || !(info.permissions() & QFile::WriteOwner)))
        throw ListFileError(QStringLiteral("%1: fichier en lecture seule").arg(file.fileName()));
    if (!file.open(QIODevice::WriteOnly))
        throw ListFileError(QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));
}

void commit(QSaveFile &file, const QByteArray &bytes)
{
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw ListFileError(QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));
}

} // namespace

namespace Module1 {

QString ShortPath(const QString &path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    return info.exists() ? info.absoluteFilePath() : QString();
}

QString FileNameFromPath(const QString &path)
{
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

void SaveListFile(const QString &path, ListBox &list)
{
    const QByteArray bytes = encodeLines(path, list.items());
    QSaveFile file(path);
    openForReplace(file);
    for (int i = 0; i < list.count(); ++i)
        list.setListIndex(i);
    commit(file, bytes);
}

void SaveListFile(const QString &path, const QStringList &items)
{
    const QByteArray bytes = encodeLines(path, items);
    QSaveFile file(path);
    openForReplace(file);
    commit(file, bytes);
}

QStringList readListFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ListFileError(QStringLiteral("%1: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw ListFileError(QStringLiteral("%1: %2").arg(path, file.errorString()));

    QStringList lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        lines.append(Cp1252::decode(bytes.mid(start, end - start)));
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

void LoadListFile(const QString &path, ListBox &list)
{
    list.clear();
    list.setItems(readListFile(path));
}

} // namespace Module1

} // namespace Common
