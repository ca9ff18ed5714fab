#pragma once

#include "common/ListBox.h"
#include "common/TextValue.h"

#include <QObject>

namespace Ftp { class FtpSession; struct FtpOutcome; struct Listing; }

namespace Browser {

class RemoteChanges;

// The remote pane of the browser: `List1` shows the session's latest listing, folders
// with a trailing "/", and `Text2` its folder. A transfer is shown by listing again:
// at once outside an operator action or after a failure; inside one, before the
// action's next command that may change the folder, or when it ends.
class RemotePane : public QObject {
    Q_OBJECT
public:
    static inline const QString kEmptyMarker = QStringLiteral("This folder is empty");

    RemotePane(Ftp::FtpSession &session, RemoteChanges &changes, QObject *parent = nullptr);

    // "Cancel": the pane and the status bar emptied.
    void reset();
    // Deletes the selected file on the server (or folder, when `folders`), then lists again.
    void deleteSelected(bool folders);

    Common::ListBox List1{QStringLiteral("List1")};
    Common::TextValue Text2{QStringLiteral("Text2")};

signals:
    void wasReset();

private:
    void show(const Ftp::Listing &listing);
    void clear();
    void followTransfer(const Ftp::FtpOutcome &transfer);
    void listIfOwed();

    Ftp::FtpSession &session_;
    RemoteChanges &changes_;
    bool owed_ = false; // a transfer's listing, made later within its action
};

} // namespace Browser
