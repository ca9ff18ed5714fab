#pragma once

#include "browser/LocalPane.h"
#include "browser/VideoFolderEditor.h"

#include <QObject>

class FtpSession;
class OperatorUi;
class ProgressWindow;
class StatusLog;

// The manual browser: the local pane against the remote listing of the FTP
// session (`List1`, `Text2`), and the buttons moving and managing files by hand.
// Reactions are named after their control; the remote ones act on the entry
// selected in `List1`.
class FtpBrowser : public QObject {
    Q_OBJECT
public:
    FtpBrowser(FtpSession &session, ProgressWindow &form3, StatusLog &status, OperatorUi &ui,
               QObject *parent = nullptr);

    LocalPane &local() { return local_; }
    FtpSession &session() { return session_; }
    VideoFolderEditor &editor() { return editor_; }

    // Double-click on the selected local entry: enter a folder, upload a file.
    void List2_DblClick();
    // Double-click on the selected remote entry: enter a folder, download a file.
    void List1_DblClick();
    void Command1_Click(); // "Connect"
    void Command2_Click(); // "UP", remote
    void Command3_Click(); // "New dir"
    void Command4_Click(); // "Delete"
    void Command5_Click(); // "Rename"
    void Command6_Click(); // "Up", local
    void Command7_Click(); // "Cancel"
    void Command8_Click(); // "Disconnect"

private:
    void download(const QString &remoteName);

    FtpSession &session_;
    ProgressWindow &form3_;
    OperatorUi &ui_;
    LocalPane local_;
    VideoFolderEditor editor_;
};
