#pragma once

#include "ftp/RemoteEntry.h"

#include <QString>

namespace Ftp {

// Asked before a change by hand replaces, renames or deletes a file of the folder the
// connection is in, and told once it went through: the subsystem that owns a folder's
// files keeps the promises it made about them, whoever changes them.
class RemoteWriteGuard {
public:
    virtual ~RemoteWriteGuard() = default;

    // `folder`: where the connection is, as PWD named it. False when the server's version is
    // to stay; the guard said so.
    virtual bool allowsWriting(const QString &folder, const QString &file) = 0;
    virtual bool allowsRemoving(const QString &folder, const QString &file) = 0;
    // `told`: the file's size and time as the upload learnt them, if it did.
    virtual void written(const QString &folder, const QString &file, const RemoteEntry &told) = 0;
    virtual void removed(const QString &folder, const QString &file) = 0;
};

} // namespace Ftp
