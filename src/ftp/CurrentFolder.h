#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace Ftp {

// Where one connection is: the CWD and CDUP lines the server accepted since the login
// (its way down, to find the same folder again on a new connection), and the folder's
// name while PWD told it and nothing moved since.
class CurrentFolder {
public:
    void reset() { *this = CurrentFolder(); }
    // The login put us in `folder`, as PWD named it (empty when it did not).
    void loggedIn(const QByteArray &folder);
    // A line the server accepted; CWD and CDUP move us.
    void accepted(const QByteArray &line);
    // PWD named the folder we are in.
    void named(const QByteArray &folder) { name_ = folder; }

    const std::optional<QByteArray> &name() const { return name_; }
    const QByteArray &loginName() const { return loginName_; }
    const QList<QByteArray> &wayDown() const { return wayDown_; }
    // A key for `folder`, relative to here ("" for here, with or without its last "/"):
    // the same folder reached the same way has the same key on this connection.
    QString keyOf(const QString &folder) const;
    // The key of the folder a relative file name is in.
    QString keyOfFolderOf(const QString &name) const;

private:
    QList<QByteArray> wayDown_;
    std::optional<QByteArray> name_;
    QByteArray loginName_;
};

} // namespace Ftp
