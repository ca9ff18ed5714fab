#pragma once

#include "ftp/FtpOutcome.h"

#include <QStringList>

namespace Common { class ProgressWindow; }

namespace Ftp {

class FtpSession;

// One publishing operation, run the way every one runs: the progress window shown over
// the disabled main window, the bar set, one connection opened in the login folder, the
// folders walked one "CD" at a time, each file captioned, sent and counted; and on every
// way out the connection closed and the progress window hidden. The publishers supply
// only their captions, files, folders and status lines.
class Publication {
public:
    Publication(FtpSession &ftp, Common::ProgressWindow &progress);
    ~Publication();
    Publication(const Publication &) = delete;
    Publication &operator=(const Publication &) = delete;

    // Minimum 0, then the start value, then the maximum.
    void setBar(float start, float total);
    // Opens the connection by listing the login folder.
    void connect();
    // Down from the current folder, one "CD" per level. Stops at the first refusal, so
    // a file is never sent into the folder where the walk got stuck: returns that "CD",
    // or an ok outcome once every level was reached.
    FtpOutcome walk(const QStringList &folders);
    void caption(const QString &text);
    // The caption, then "PUT" (the folder is listed again after it), then the bar one on.
    FtpOutcome send(const QString &caption, const QString &localfic, const QString &remotefic);
    void advance();
    // The editing mode stays connected in the folder it reached.
    void keepConnection() { keep_ = true; }

private:
    FtpSession &ftp_;
    Common::ProgressWindow &progress_;
    bool keep_ = false;
};

} // namespace Ftp
