#pragma once

#include "common/BoolValue.h"

#include <QObject>

namespace Common { class ProgressWindow; class StatusLog; }
namespace Ftp { class FtpSession; }

namespace Browser {

class RemotePane;

// The editing mode of the server's video folder: "MODE EDITION" lists the
// folder in the remote pane, "SUPPRIMER" deletes the selected file from it.
class VideoFolderEditor : public QObject {
    Q_OBJECT
public:
    VideoFolderEditor(Ftp::FtpSession &session, RemotePane &remote, Common::ProgressWindow &form3, Common::StatusLog &status,
                      QObject *parent = nullptr);

    void enterEditingMode();    // Command9 "MODE EDITION"
    void deleteSelectedVideo(); // Command20 "SUPPRIMER"

    // Disabled until the editing mode has listed the folder once.
    Common::BoolValue Command20Enabled{QStringLiteral("Command20"), false};

private:
    Ftp::FtpSession &session_;
    RemotePane &remote_;
    Common::ProgressWindow &form3_;
    Common::StatusLog &status_;
};

} // namespace Browser
