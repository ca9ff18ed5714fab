#include "ftp/FtpCommand.h"

#include <algorithm>

namespace Ftp {

FtpCommand::FtpCommand(Verb verb, QStringList arguments)
    : verb_(verb), arguments_(std::move(arguments))
{
}

FtpCommand FtpCommand::cd(const QString &folder) { return {Verb::Cd, {folder}}; }
FtpCommand FtpCommand::cd(const QStringList &folders) { return {Verb::Cd, folders}; }
FtpCommand FtpCommand::cdup() { return {Verb::Cdup, {}}; }
FtpCommand FtpCommand::ls() { return {Verb::Ls, {}}; }
FtpCommand FtpCommand::lsWithFacts(const QStringList &expected)
{
    FtpCommand command{Verb::Ls, expected};
    command.withFacts_ = true;
    return command;
}
FtpCommand FtpCommand::pwd() { return {Verb::Pwd, {}}; }
FtpCommand FtpCommand::mkdir(const QString &folder) { return {Verb::Mkdir, {folder}}; }
FtpCommand FtpCommand::rmdir(const QString &folder) { return {Verb::Rmdir, {folder}}; }
FtpCommand FtpCommand::remove(const QString &file) { return {Verb::Delete, {file}}; }
FtpCommand FtpCommand::rename(const QString &from, const QString &to) { return {Verb::Rename, {from, to}}; }
FtpCommand FtpCommand::put(const QString &localPath, const QString &remoteName)
{
    return {Verb::Put, {localPath, remoteName}};
}
FtpCommand FtpCommand::putIfChanged(const QString &localPath, const QString &remoteName)
{
    FtpCommand command = put(localPath, remoteName);
    command.onlyIfChanged_ = true;
    return command;
}
FtpCommand FtpCommand::get(const QString &remoteName, const QString &localPath)
{
    return {Verb::Get, {remoteName, localPath}};
}
FtpCommand FtpCommand::facts(const QString &remoteName) { return {Verb::Facts, {remoteName}}; }
FtpCommand FtpCommand::close() { return {Verb::Close, {}}; }

QString FtpCommand::keyword() const
{
    switch (verb_) {
    case Verb::Cd: return QStringLiteral("CD");
    case Verb::Cdup: return QStringLiteral("CDUP");
    case Verb::Ls: return QStringLiteral("LS");
    case Verb::Pwd: return QStringLiteral("PWD");
    case Verb::Mkdir: return QStringLiteral("MKDIR");
    case Verb::Rmdir: return QStringLiteral("RMDIR");
    case Verb::Delete: return QStringLiteral("DELETE");
    case Verb::Rename: return QStringLiteral("RENAME");
    case Verb::Put: return QStringLiteral("PUT");
    case Verb::Get: return QStringLiteral("GET");
    case Verb::Facts: return QStringLiteral("FACTS");
    case Verb::Close: return QStringLiteral("CLOSE");
    }
    return {};
}

QString FtpCommand::text() const
{
    return (QStringList{keyword()} + arguments_).join(QLatin1Char(' '));
}

bool FtpCommand::isValid() const
{
    return std::none_of(arguments_.begin(), arguments_.end(), [](const QString &argument) {
        return argument.contains(QLatin1Char('\r')) || argument.contains(QLatin1Char('\n'))
            || argument.contains(QChar(0));
    });
}

} // namespace Ftp
