#pragma once

#include "common/ListBox.h"
#include "common/TextValue.h"

#include <QObject>

namespace Browser {

// The local pane of the browser: `List2` and the current folder `Text1`.
// Folders are listed with a trailing "/", files as bare names; while the drive
// list is shown `Text1` is empty and there is no current folder.
class LocalPane : public QObject {
    Q_OBJECT
public:
    explicit LocalPane(QObject *parent = nullptr);

    // Shows `folder` if it is a readable folder; otherwise nothing changes.
    bool setPath(const QString &folder);
    // Lists the current folder again: subfolders first, then files.
    void ChangeDir();
    void ChangeDrive();
    // "Up": the parent folder, or the drive list from "/".
    void Up();
    // Double-click on a drive or folder entry enters it; false for a file entry.
    bool enter(const QString &entry);

    bool hasFolder() const { return !Text1.text().isEmpty(); }
    // The full local path of `name` in the current folder; empty when there is
    // no current folder or the name would lead out of it.
    QString filePath(const QString &name) const;

    static bool isFolderEntry(const QString &entry) { return entry.contains(u'/'); }

    Common::ListBox List2{QStringLiteral("List2")};
    Common::TextValue Text1{QStringLiteral("Text1")};

private:
    QString path_;
};

} // namespace Browser
