#pragma once

#include <QString>
#include <QStringList>

namespace Ftp {

// One command of the client's vocabulary: a verb and its arguments, each sent whole.
class FtpCommand {
public:
    enum class Verb { Cd, Cdup, Ls, Pwd, Mkdir, Rmdir, Delete, Rename, Put, Get, Facts, Close };

    static FtpCommand cd(const QString &folder);
    // Down several levels at once, the first refusal ending it.
    static FtpCommand cd(const QStringList &folders);
    static FtpCommand cdup();
    static FtpCommand ls();
    // "LS", each file with its exact size and time where the listing alone lacks them; those
    // of the `expected` files asked along with the listing itself.
    static FtpCommand lsWithFacts(const QStringList &expected = {});
    static FtpCommand pwd();
    static FtpCommand mkdir(const QString &folder);
    static FtpCommand rmdir(const QString &folder);
    static FtpCommand remove(const QString &file);
    static FtpCommand rename(const QString &from, const QString &to);
    static FtpCommand put(const QString &localPath, const QString &remoteName);
    // "PUT", unless the server's copy has the local file's size and time already.
    static FtpCommand putIfChanged(const QString &localPath, const QString &remoteName);
    static FtpCommand get(const QString &remoteName, const QString &localPath);
    // What the server says of a file now (never what an earlier listing said): its size and
    // time, or that it is not there. Leftovers in its folder are dealt with first.
    static FtpCommand facts(const QString &remoteName);
    static FtpCommand close();

    FtpCommand() = default;

    Verb verb() const { return verb_; }
    const QStringList &arguments() const { return arguments_; }
    QString argument(int index) const { return arguments_.value(index); }
    bool onlyIfChanged() const { return onlyIfChanged_; }
    bool withFacts() const { return withFacts_; }
    // The keyword of the vocabulary: "CD", "PUT", ...
    QString keyword() const;
    // Keyword and arguments joined by single spaces, for logs and tests only.
    QString text() const;
    // False when an argument holds CR, LF or NUL, which could smuggle a second
    // command onto the control connection.
    bool isValid() const;

    bool operator==(const FtpCommand &) const = default;

private:
    FtpCommand(Verb verb, QStringList arguments);

    Verb verb_ = Verb::Pwd;
    QStringList arguments_;
    bool onlyIfChanged_ = false;
    bool withFacts_ = false;
};

} // namespace Ftp
