#pragma once

#include "hotels/PhraseFacts.h"

#include <QDateTime>
#include <QString>

namespace Common { class OperatorUi; class StatusLog; }
namespace Ftp { class FtpSession; }

namespace Hotels {

// Other workstations publish to the same server: a publication must not overwrite, nor a
// removal delete, a version of a phrase file this workstation has not seen. What the server
// says of the file now is compared with the version last fetched or published here, and a
// change is put to the operator. Nothing remembered, or a server that gives no times, lets
// things go on as they always did. What the server says is asked at each decision, never
// taken from a listing of an earlier step. Used in the phrase folder, once walked down to it.
class ServerVersionGuard {
public:
    ServerVersionGuard(const QString &factsFile, Ftp::FtpSession &ftp, Common::OperatorUi &ui, Common::StatusLog &status);

    // Go on; or Keep the server's version, as the operator said (the guard logged it); or
    // Unknown: the connection went before the server said, and nothing may be sent blind.
    enum class Verdict { Go, Keep, Unknown };
    // `adding`: a new hotel, whose file on the server can only be another workstation's.
    Verdict allowsPublishing(const QString &hotel, const QString &file, bool adding);
    Verdict allowsRemoving(const QString &hotel, const QString &file);
    // The server's version is now this workstation's own: `told`, the facts the upload
    // learnt, or asked now when it learnt none.
    void published(const QString &file, const QString &localCopy, const Ftp::RemoteEntry &told);
    // Gone from the server; the local copy left behind is no unpublished edit.
    void removed(const QString &file, const QString &localCopy);
    // The same for a change by hand, which leaves the local copy out of it.
    void writtenByHand(const QString &file, const Ftp::RemoteEntry &told);
    void removedByHand(const QString &file);

private:
    enum class Change { None, Modified, Gone, Unknown };
    Change changeSince(const QString &file, bool adding);
    // `told` when it has a size and time, else what the server says now.
    Ftp::RemoteEntry writtenNow(const QString &file, Ftp::RemoteEntry told);
    bool ask(const QString &question) const;
    QString modified(const QString &hotel) const;

    PhraseFacts facts_;
    Ftp::FtpSession &ftp_;
    Common::OperatorUi &ui_;
    Common::StatusLog &status_;
    QDateTime changedAt_; // the server's time of the version found changed
};

} // namespace Hotels
