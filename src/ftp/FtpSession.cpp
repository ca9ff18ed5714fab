#include "ftp/FtpSession.h"

#include <QCoreApplication>
#include <QStringList>

namespace Ftp {

namespace {

constexpr int kChunkSize = 64 * 1024;
constexpr int kAccessSetting = 4;

} // namespace

FtpSession::FtpSession(const Common::ServerProfile &profile, Common::OperatorUi &ui, const QString &pinsFile,
                       QObject *parent)
    : QObject(parent), profile_(profile), ui_(ui), trust_(pinsFile, &ui)
{
    connect(&Inet1, &Inet::encryptionChanged, this, [this](const QString &protocol, const QString &refusal) {
        status_.showEncryption(protocol, refusal);
    });
    Inet1.setTrust(&trust_);
    // The one place where the client's state numbers become a type again.
    connect(&Inet1, &Inet::StateChanged, this, [this](int code) {
        const auto state = static_cast<InetState>(code);
        if (state == InetState::Disconnected)
            lastListing_ = Listing{}; // gone with the connection
        status_.showState(state, Inet1.StillExecuting());
        emit stateChanged(state);
    });
    connect(&Inet1, &Inet::commandSent, this, &FtpSession::commandSent);
    connect(&Inet1, &Inet::commandDone, this, &FtpSession::commandDone);
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
        GetDir(QString());
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
    closeAtActionEnd_ = false;
    Wait();
    if (!Inet1.RemoteHost().isEmpty())
        Inet1.Execute(FtpCommand::close());
}

Listing FtpSession::GetDir(const QString &GetDirDir, bool withFacts, const QStringList &expected)
{
    lastListing_ = Listing{};
    Wait();
    if (!GetDirDir.isEmpty() && !Inet1.Execute(FtpCommand::cd(GetDirDir)))
        return refuseListing();
    Wait();
    if (!Inet1.Execute(withFacts ? FtpCommand::lsWithFacts(expected) : FtpCommand::ls()))
        return refuseListing();
    Wait();
    Listing listing{Inet1.lastOutcome().ok, QString(), Inet1.listing(), QString()};
    if (!listing.ok)
        listing.failure = Inet1.lastOutcome().replyText;
    if (!Inet1.Execute(FtpCommand::pwd()))
        return refuseListing();
    listing.path = GetData();
    lastListing_ = listing;
    emit listed(listing);
    return listing;
}

Listing FtpSession::refuseListing()
{
    const QString description = Inet1.lastOutcome().replyText;
    status_.StatusBar1.setText(QString());
    emit listingRefused();
    ui_.messageBox(description, Common::OperatorUi::Buttons::Ok, Common::OperatorUi::Icon::Critical,
                   QStringLiteral("Error"));
    return Listing{false, QString(), {}, description};
}

void FtpSession::closeAfterAction()
{
    Q_ASSERT_X(actionRunning(), "FtpSession::closeAfterAction", "a publication is a step of an operator action");
    closeAtActionEnd_ = true;
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
        emit actionEnding();
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
    return transfer(onlyIfChanged ? FtpCommand::putIfChanged(localfic, remotefic) : FtpCommand::put(localfic, remotefic));
}

FtpOutcome FtpSession::GET_Transfert_FTP(const QString &remotefic, const QString &localfic)
{
    return transfer(FtpCommand::get(remotefic, localfic));
}

FtpOutcome FtpSession::transfer(const FtpCommand &command)
{
    const FtpOutcome outcome = runCommand(command);
    emit transferred(outcome);
    return outcome;
}

FtpOutcome FtpSession::runCommand(const FtpCommand &command)
{
    using Verb = FtpCommand::Verb;
    const bool staysInFolder = command.verb() == Verb::Put || command.verb() == Verb::Get || command.verb() == Verb::Facts;
    if (!listingsDeferred_ && !staysInFolder)
        emit aboutToChangeFolder();
    Wait();
    Inet1.Execute(command);
    Wait();
    return Inet1.lastOutcome();
}

} // namespace Ftp
