#pragma once

#include <QString>

namespace Ftp { class FtpSession; class RemoteWriteGuard; }

namespace Browser {

// The browser's changes to the server's files, made in the folder the remote pane shows:
// each one asked of the folder's guard first and told to it after, so that a change by hand
// keeps the promises a publication keeps. Each returns whether the change went through.
class RemoteChanges {
public:
    explicit RemoteChanges(Ftp::FtpSession &session) : session_(session) {}

    // None by default: every folder is the operator's alone.
    void setGuard(Ftp::RemoteWriteGuard *guard) { guard_ = guard; }

    bool put(const QString &localPath, const QString &name);
    bool rename(const QString &from, const QString &to);
    bool remove(const QString &name);

private:
    QString folder() const;

    Ftp::FtpSession &session_;
    Ftp::RemoteWriteGuard *guard_ = nullptr;
};

} // namespace Browser
