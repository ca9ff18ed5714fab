#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>

namespace Common {

class ListBox;

// A list file could not be read or written. The routines below never catch:
// the calling operation decides what a failure means.
class ListFileError : public std::runtime_error {
public:
    explicit ListFileError(const QString &message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString &message() const { return message_; }

private:
    QString message_;
};

// The path and list-file routines every subsystem shares.
namespace Module1 {

// The absolute form of an existing path; the empty text when it does not exist.
QString ShortPath(const QString &path);
// The characters after the last "/": the whole text without one, empty after a trailing one.
QString FileNameFromPath(const QString &path);

// Writes the list, one Windows-1252 line ended by CR LF per item, selecting each item
// in turn. The file is replaced whole or not at all.
void SaveListFile(const QString &path, ListBox &list);
void SaveListFile(const QString &path, const QStringList &items);
// Empties the list, then fills it with the file's lines.
void LoadListFile(const QString &path, ListBox &list);
QStringList readListFile(const QString &path);

} // namespace Module1

} // namespace Common
