#include "ftp/FtpSession.h"

#include "ftp/RemoteListing.h"

#include <QCoreApplication>
#include <QStringList>

namespace Ftp {

namespace {

const QStringList kStateTexts = {
    QString(),
    QStringLiteral("Looking up IP address of the host computer"),
    QStringLiteral("Successfully found IP address of the host computer"),
    QStringLiteral("Connecting to the host computer"),
    QStringLiteral("Successfully connected to the host computer"),
    QStringLiteral("Sending a request to the host computer"),
    QStringLiteral("Successfully sent the request"),
    QStringLiteral("Receiving a response from the host computer"),
    QStringLiteral("Successfully received a response from the host computer"),
    QStringLiteral("Disconnecting from the host computer"),
    QStringLiteral("Successfully disconnected from the host computer"),
    QStringLiteral("Error occurred in communicating with the host computer"),
    QStringLiteral("Request completed, all data received"),
};

constexpr int kChunkSize = 64 * 1024;
constexpr int kAccessSetting = 4;

} // namespace

FtpSession::FtpSession(const Common::ServerProfile &profile, Common::OperatorUi &ui, const QString &pinsFile,
                       QObject *parent)
    : QObject(parent), profile_(profile), ui_(ui), trust_(pinsFile, &ui)
{
    connect(&Inet1, &Inet::encryptionChanged, this, [this](const QString &protocol, const QString &refusal) {
        TlsStatus.setText(protocol.isEmpty() ? kPlainText : protocol);
        TlsRefusal.setText(refusal.isEmpty() ? QString()
                                             : QStringLiteral("Connexion non chiffrée : le serveur a refusé TLS (%1)")
                                                   .arg(refusal));
    });
    Inet1.setTrust(&trust_);
    // The one place where the client's state numbers become a type again.
    connect(&Inet1, &Inet::StateChanged, this, [this](int state) {
        showState(static_cast<InetState>(state));
        emit stateChanged(static_cast<InetState>(state));
    });
    connect(&Inet1, &Inet::transferProgress, this, &FtpSession::transferProgress);
    connect(&Inet1, &Inet::retrying, this, &FtpSession::retrying);
    connect(&Inet1, &Inet::putBack, this, &FtpSession::putBack);
}

void FtpSession::configure()
{
    Inet1.setProtocol(Inet::icFTP);
    Inet1.setRemotePort(profile_.port);
    Inet1.setRemoteHost(profile_.host);
    Inet1.setUserName(profile_.user);
    Inet1.setPassword(profile_.password);
    Inet1.setTls(profile_.tls, profile_.extraCaPem);
    Inet1.setAccessSetting(kAccessSetting);
}

void FtpSession::startUp()
{
    configure();
    Wait();
    if (!actionRunning())
        return GetDir(QString());
    // The action's first command opens the connection, its walk going along with the login;
    // the listing is owed to it, and made at the action's end unless a newer one came.
    listingDue_ = true;
}

void FtpSession::Wait()
{
    waitWhile([this] { return Inet1.StillExecuting(); });
}

void FtpSession::waitWhile(const std::function<bool()> &busy)
{
    // Blocking inside the client's own signal would hold up the very socket
    // events the wait is for.
    if (Inet1.isDispatching()) {
        qWarning("FtpSession::Wait called from a state change; not waiting");
        return;
    }
    ++waitDepth_;
    while (busy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    --waitDepth_;
}

void FtpSession::connectFTP()
{
    Wait();
    GetDir(QString());
}

void FtpSession::disconnectFTP()
{
    listingDue_ = false;
    closeAtActionEnd_ = false;
    Wait();
    if (!Inet1.RemoteHost().isEmpty())
        Inet1.Execute(FtpCommand::close());
}

void FtpSession::GetDir(const QString &GetDirDir)
{
    listingDue_ = false; // this listing is the newer one
    List1.clear();
    entries_.clear();
    lastListingOk_ = false;
    Wait();
    if (!GetDirDir.isEmpty() && !Inet1.Execute(FtpCommand::cd(GetDirDir)))
        return reportListingFailure();
    Wait();
    if (!Inet1.Execute(FtpCommand::ls()))
        return reportListingFailure();
    Wait();
    lastListingOk_ = Inet1.lastOutcome().ok;
    entries_ = Inet1.listing();
    fillList(entries_);
    if (!Inet1.Execute(FtpCommand::pwd()))
        return reportListingFailure();
    Text2.setText(GetData());
}

void FtpSession::closeAfterAction()
{
    if (actionRunning())
        closeAtActionEnd_ = true;
    else
        disconnectFTP();
}

bool FtpSession::runAction(const std::function<void()> &body)
{
    if (isWaiting())
        return false;
    if (actionRunning_) {
        body();
        return true;
    }
    const Common::BusyCursor busy(ui_);
    // Marks the end even when `body` throws; nothing is sent from a destructor.
    struct Running {
        FtpSession &session;
        explicit Running(FtpSession &s) : session(s) { session.markAction(true); }
        ~Running() { session.markAction(false); }
    } running(*this);
    body();
    endAction();
    return true;
}

void FtpSession::markAction(bool running)
{
    actionRunning_ = running;
    emit actionRunningChanged(running);
}

void FtpSession::endAction()
{
    if (closeAtActionEnd_)
        disconnectFTP();
    else
        listIfDue();
}

QString FtpSession::GetData()
{
    Wait();
    QString answer;
    for (QString piece; !(piece = Inet1.GetChunk(kChunkSize)).isEmpty();)
        answer += piece;
    return answer;
}

FtpOutcome FtpSession::Transfert_FTP(const QString &localfic, const QString &remotefic, bool onlyIfChanged)
{
    const FtpOutcome outcome = runCommand(onlyIfChanged ? FtpCommand::putIfChanged(localfic, remotefic)
                                                        : FtpCommand::put(localfic, remotefic));
    listAfterTransfer(outcome);
    return outcome;
}

FtpOutcome FtpSession::GET_Transfert_FTP(const QString &remotefic, const QString &localfic)
{
    const FtpOutcome outcome = runCommand(FtpCommand::get(remotefic, localfic));
    listAfterTransfer(outcome);
    return outcome;
}

void FtpSession::listAfterTransfer(const FtpOutcome &transfer)
{
    // Within an action nobody reads the listing before the next command that leaves the
    // folder or the connection: it is made once, then. After a failure, at once as ever.
    if (transfer.ok && actionRunning())
        listingDue_ = true;
    else
        GetDir(QString());
}

void FtpSession::listIfDue()
{
    if (listingDue_)
        GetDir(QString());
}

FtpOutcome FtpSession::runCommand(const FtpCommand &command)
{
    using Verb = FtpCommand::Verb;
    const bool staysInFolder = command.verb() == Verb::Put || command.verb() == Verb::Get || command.verb() == Verb::Facts;
    if (!listingsDeferred_ && !staysInFolder)
        listIfDue();
    Wait();
    Inet1.Execute(command);
    Wait();
    return Inet1.lastOutcome();
}

void FtpSession::resetListing()
{
    List1.clear();
    StatusBar1.setText(QString());
    Text2.setText(QString());
    emit listingReset();
}

void FtpSession::showState(InetState state)
{
    if (const int index = static_cast<int>(state); index >= 0 && index < kStateTexts.size()) {
        StatusBar1.setText(kStateTexts.at(index));
        if (state == InetState::Disconnected) {
            List1.clear();
            lastListingOk_ = false; // the listing is gone with the connection
            Text2.setText(QString());
        }
    }
    if (Inet1.StillExecuting())
        StatusBar1.setText(StatusBar1.text() + kBusySuffix);
}

void FtpSession::fillList(const QList<RemoteEntry> &entries)
{
    // Folders first, each group in the server's order; our temporary files never show.
    QStringList folders;
    QStringList files;
    for (const RemoteEntry &entry : entries) {
        if (entry.name.startsWith(RemoteListing::kTempPrefix))
            continue;
        if (entry.folder)
            folders.append(entry.name + QLatin1Char('/'));
        else
            files.append(entry.name);
    }
    folders += files;
    if (folders.isEmpty())
        folders.append(kEmptyMarker);
    List1.setItems(folders);
}

void FtpSession::reportListingFailure()
{
    const QString description = Inet1.lastOutcome().replyText;
    resetListing();
    ui_.messageBox(description, Common::OperatorUi::Buttons::Ok, Common::OperatorUi::Icon::Critical,
                   QStringLiteral("Error"));
}

} // namespace Ftp
