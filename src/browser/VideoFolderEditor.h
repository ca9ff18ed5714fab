#pragma once

#include "common/BoolValue.h"

#include <QObject>

class FtpSession;
class ProgressWindow;
class StatusLog;

// The editing mode of the server's video folder: "MODE EDITION" lists the
// folder in the remote pane, "SUPPRIMER" deletes the selected file from it.
class VideoFolderEditor : public QObject {
    Q_OBJECT
public:
    VideoFolderEditor(FtpSession &session, ProgressWindow &form3, StatusLog &status,
                      QObject *parent = nullptr);

    void enterEditingMode();    // Command9 "MODE EDITION"
    void deleteSelectedVideo(); // Command20 "SUPPRIMER"

    // Disabled until the editing mode has listed the folder once.
    BoolValue Command20Enabled{QStringLiteral("Command20"), false};

private:
    FtpSession &session_;
    ProgressWindow &form3_;
    StatusLog &status_;
};
