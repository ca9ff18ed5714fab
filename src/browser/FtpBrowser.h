#pragma once

#include "browser/LocalPane.h"
#include "browser/RemoteChanges.h"
#include "browser/RemotePane.h"
#include "browser/VideoFolderEditor.h"
#include "common/BoolValue.h"

#include <QObject>

namespace Common { class OperatorUi; class ProgressWindow; class StatusLog; }
namespace Ftp { class FtpSession; }

namespace Browser {

// The manual browser: the local pane against the remote pane, and the buttons moving
// and managing files by hand. Reactions are named after their control; the remote
// ones act on the entry selected in the remote pane's `List1`.
class FtpBrowser : public QObject {
    Q_OBJECT
public:
    FtpBrowser(Ftp::FtpSession &session, Common::ProgressWindow &form3, Common::StatusLog &status, Common::OperatorUi &ui,
               QObject *parent = nullptr);

    LocalPane &local() { return local_; }
    RemotePane &remote() { return remote_; }
    // "Connect" is disabled while the client is connected, and after the reset.
    Common::BoolValue Command1Enabled{QStringLiteral("Command1"), true};

    Ftp::FtpSession &session() { return session_; }
    // Who keeps the promises about a folder's files; none by default.
    void setGuard(Ftp::RemoteWriteGuard *guard) { changes_.setGuard(guard); }
    VideoFolderEditor &editor() { return editor_; }

    // Double-click in List2 on the selected entry: enter a folder, upload a file.
    void openLocalEntry();
    // Double-click in List1 on the selected entry: enter a folder, download a file.
    void openRemoteEntry();
    void loadProgressWindow(); // Command1 "Connect"
    void remoteUp();           // Command2 "UP"
    void makeRemoteFolder();   // Command3 "New dir"
    void deleteRemoteEntry();  // Command4 "Delete"
    void renameRemoteEntry();  // Command5 "Rename"
    void localUp();            // Command6 "Up"
    void resetRemotePane();    // Command7 "Cancel"
    void disconnect();         // Command8 "Disconnect"

private:
    void download(const QString &remoteName);

    Ftp::FtpSession &session_;
    Common::ProgressWindow &form3_;
    Common::OperatorUi &ui_;
    LocalPane local_;
    RemoteChanges changes_;
    RemotePane remote_;
    VideoFolderEditor editor_;
};

} // namespace Browser
