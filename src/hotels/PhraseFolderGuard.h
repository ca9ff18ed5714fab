#pragma once

#include "ftp/PublishingDesk.h"
#include "ftp/RemoteWriteGuard.h"
#include "hotels/ServerVersionGuard.h"

namespace Hotels {

// The phrase folder's files changed by hand (the FTP browser) are guarded and remembered as
// a publication's are: a colleague's version is not replaced or deleted unasked, and what
// the server holds after the change is this workstation's to know. Other folders pass.
class PhraseFolderGuard : public Ftp::RemoteWriteGuard {
public:
    explicit PhraseFolderGuard(const Ftp::PublishingDesk &desk) : desk_(desk) {}

    bool allowsWriting(const QString &folder, const QString &file) override;
    bool allowsRemoving(const QString &folder, const QString &file) override;
    void written(const QString &folder, const QString &file, const Ftp::RemoteEntry &told) override;
    void removed(const QString &folder, const QString &file) override;

private:
    bool isPhraseFolder(const QString &folder) const;
    // Whether the change may go; the guard logged why not, but for a connection lost.
    bool goes(ServerVersionGuard::Verdict verdict, const QString &file) const;

    const Ftp::PublishingDesk desk_;
};

} // namespace Hotels
