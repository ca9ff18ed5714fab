#include "SessionHarness.h"
#include "ftp/FtpDataChannel.h"
#include "ftp/FtpRetry.h"
#include "support/Files.h"
#include "support/PyftpdProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kError = QStringLiteral("Error occurred in communicating with the host computer");

// pyftpd.py in one or more of its fault modes, with short client timeouts.
class FaultServer : public ::testing::Test {
protected:
    void start(const QStringList &faults, bool mlsd = true, const Ftp::FtpTimeouts &timeouts = {2000, 2000, 2000, 50})
    {
        server = std::make_unique<PyftpdProcess>(PyftpdProcess::Options{mlsd, faults, 0});
        ASSERT_TRUE(server->isRunning());
        harness = std::make_unique<SessionHarness>(server->profile(), timeouts);
    }

    Ftp::FtpSession &session() { return harness->session; }
    Browser::RemotePane &pane() { return harness->pane; }
    Ftp::FtpOutcome run(const Ftp::FtpCommand &command) { return session().runCommand(command); }
    QStringList serverFiles() { return QDir(server->root()).entryList(QDir::Files); }
    QStringList localFiles() { return QDir(local.path()).entryList(QDir::Files); }
    QString writeLocal(const QString &name, const QByteArray &content)
    {
        QFile file(local.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(content);
        return file.fileName();
    }

    std::unique_ptr<PyftpdProcess> server;
    std::unique_ptr<SessionHarness> harness;
    QTemporaryDir local;
};

TEST_F(FaultServer, RefusedCommandFailsAloneAndTheSessionGoesOn)
{
    start({"refuse:MKD"});
    const Ftp::FtpOutcome outcome = run(Ftp::FtpCommand::mkdir("new"));
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.replyCode, 550);
    EXPECT_EQ(session().status().StatusBar1.text(), kError);
    EXPECT_TRUE(run(Ftp::FtpCommand::pwd()).ok);
    EXPECT_EQ(session().GetData(), "/");
    EXPECT_TRUE(server->receivedCommands().contains("MKD new"));

    // facts refused are no facts; a file that is not there is one
    server->setFaults({"refuse:SIZE:502"});
    server->putFile("a.ini", "a");
    EXPECT_FALSE(run(Ftp::FtpCommand::facts("a.ini")).ok);
    server->setFaults({});
    const Ftp::FtpOutcome absent = run(Ftp::FtpCommand::facts("absent.ini"));
    EXPECT_TRUE(absent.ok);
    EXPECT_EQ(absent.facts.size, -1);
}

TEST_F(FaultServer, DownloadDroppedMidwayLeavesTheLocalFileUntouched)
{
    start({"drop-retr"});
    server->putFile("video.mp4", QByteArray(200000, 'v'));
    const QString target = writeLocal("video.mp4", "previous copy");

    const Ftp::FtpOutcome outcome = run(Ftp::FtpCommand::get("video.mp4", target));
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.replyCode, 0);
    QFile kept(target);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "previous copy");
    EXPECT_EQ(localFiles(), QStringList{"video.mp4"}); // no temporary file left behind
    // the drop is a disconnect, and the command's failure the last word
    EXPECT_TRUE(harness->states.contains(10));
    EXPECT_EQ(harness->states.last(), 11);
    EXPECT_FALSE(session().busy());
}

// An upload cut off never reaches its final name. The next write into the folder removes
// what uploads left long ago, leaves another workstation's upload in progress alone, and
// gives a file found only under its aside name its name again.
TEST_F(FaultServer, UploadDroppedMidwayNeverReachesTheFinalNameAndIsSweptLater)
{
    start({"drop-stor"});
    EXPECT_FALSE(run(Ftp::FtpCommand::put(writeLocal("big", QByteArray(1 << 20, 'b')), "video.mp4")).ok);
    const QStringList left = serverFiles();
    ASSERT_EQ(left.filter(QRegularExpression("^~hmpart-[0-9a-f]{8}-video\\.mp4$")), left);
    ASSERT_EQ(left.size(), 1);
    QFile dead(server->path(left.first()));
    ASSERT_TRUE(dead.open(QIODevice::ReadWrite)
                && dead.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-3600), QFileDevice::FileModificationTime));
    server->putFile("~hmpart-0badcafe-other.mp4", "still growing");
    server->putFile("~hmpart-old-gone.ini", "the only copy");
    QStringList putBack;
    QObject::connect(&session(), &Ftp::FtpSession::putBack, [&](const QString &file) { putBack.append(file); });

    EXPECT_TRUE(run(Ftp::FtpCommand::put(writeLocal("small", "s"), "small.ini")).ok);
    EXPECT_EQ(serverFiles(), (QStringList{"gone.ini", "small.ini", "~hmpart-0badcafe-other.mp4"}));
    EXPECT_EQ(server->fileContent("gone.ini"), "the only copy");
    EXPECT_EQ(putBack, QStringList{"gone.ini"});
    EXPECT_EQ(harness->sent.count("USER anonymous"), 2 + Ftp::FtpRetry::kTries); // each try logs in again
    // once per folder and connection: a second upload there lists nothing first
    const qsizetype listings = harness->sent.filter(QRegularExpression("^(MLSD|LIST)")).size();
    EXPECT_TRUE(run(Ftp::FtpCommand::put(writeLocal("second", "2"), "second.ini")).ok);
    EXPECT_EQ(harness->sent.filter(QRegularExpression("^(MLSD|LIST)")).size(), listings);
}

// A folder an 8-bit client wrote spells new names in its bytes, after a reconnection too:
// the upload taken up again ends under the name it began with, and leaves nothing behind.
TEST_F(FaultServer, AnUploadResumedAfterADropKeepsTheSpellingOfItsFolder)
{
    start({"raw-names", "drop-stor"});
    server->putRawFile("", "vieux caf\xe9.txt", "OLD");
    EXPECT_TRUE(run(Ftp::FtpCommand::put(writeLocal("big", QByteArray(100 << 10, 'b')), QStringLiteral("été.bin"))).ok);
    EXPECT_EQ(server->rawNames(""), (QList<QByteArray>{"vieux caf\xe9.txt", "\xe9t\xe9.bin"}));
}

TEST_F(FaultServer, StalledDataConnectionTimesOutAndClosesTheConnection)
{
    start({"stall-retr"}, true, {2000, 2000, 400, 50});
    server->putFile("a.ini", "content");
    QElapsedTimer clock;
    clock.start();
    const Ftp::FtpOutcome outcome = run(Ftp::FtpCommand::get("a.ini", local.filePath("a.ini")));
    EXPECT_FALSE(outcome.ok);
    EXPECT_LT(clock.elapsed(), 4000); // each try stalls, and is given up
    EXPECT_TRUE(outcome.replyText.contains("stalled"));
    EXPECT_TRUE(localFiles().isEmpty());
    EXPECT_EQ(session().status().StatusBar1.text(), kError);
    EXPECT_TRUE(harness->states.contains(10));
}

// Lines keep coming faster than the stall timeout, so only the answer's own
// deadline can end it; the 64 MiB cap would take days at this pace.
TEST_F(FaultServer, ListingThatTricklesForeverEndsAtItsDeadline)
{
    const int stallMs = 300;
    start({"trickle-list"}, true, {2000, 2000, stallMs});
    QElapsedTimer clock;
    clock.start();
    const Ftp::FtpOutcome outcome = run(Ftp::FtpCommand::ls());
    EXPECT_GT(clock.elapsed(), Ftp::FtpDataChannel::kAnswerStalls * stallMs / 2); // lines kept it past the stall timeout
    EXPECT_LT(clock.elapsed(), Ftp::FtpDataChannel::kAnswerStalls * stallMs + 5000);
    EXPECT_FALSE(outcome.ok);
    EXPECT_TRUE(outcome.replyText.contains("takes too long")) << outcome.replyText.toStdString();
    EXPECT_EQ(session().status().StatusBar1.text(), kError);
}

TEST_F(FaultServer, SilentServerTimesOutWaitingForItsGreeting)
{
    start({"mute"}, true, {2000, 300, 2000});
    const Ftp::FtpOutcome outcome = run(Ftp::FtpCommand::pwd());
    EXPECT_FALSE(outcome.ok);
    EXPECT_FALSE(session().busy());
    EXPECT_EQ(session().status().StatusBar1.text(), kError);
}

TEST_F(FaultServer, TransferCompletesWhenTheReplyComesBeforeTheData)
{
    start({"early-226"});
    server->putFile("a.ini", QByteArray(50000, 'a'));
    EXPECT_TRUE(run(Ftp::FtpCommand::get("a.ini", local.filePath("a.ini"))).ok);
    QFile got(local.filePath("a.ini"));
    ASSERT_TRUE(got.open(QIODevice::ReadOnly));
    EXPECT_EQ(got.readAll(), QByteArray(50000, 'a'));
    EXPECT_TRUE(run(Ftp::FtpCommand::pwd()).ok); // the reply stream is still in step
}

TEST_F(FaultServer, MultiLineRepliesWithBareLineFeedsKeepTheStreamInStep)
{
    start({"multiline"});
    server->putFile("www/a.ini", "a");
    EXPECT_TRUE(run(Ftp::FtpCommand::cd("www")).ok);
    session().GetDir(QString());
    EXPECT_EQ(pane().List1.items(), QStringList{"a.ini"});
    EXPECT_EQ(pane().Text2.text(), "/www");
}

TEST_F(FaultServer, DataConnectionGoesToTheControlPeerNotTheAdvertisedAddress)
{
    start({"wrong-pasv"});
    server->putFile("a.ini", "a");
    session().GetDir(QString());
    EXPECT_EQ(pane().List1.items(), QStringList{"a.ini"});
    EXPECT_TRUE(run(Ftp::FtpCommand::get("a.ini", local.filePath("a.ini"))).ok);
    EXPECT_EQ(harness->sent.count("EPSV"), 1); // refused once, then not asked again
    EXPECT_EQ(harness->sent.count("PASV"), 2);
}

TEST_F(FaultServer, OddNamesAreFilteredFromMlsdAndListAlike)
{
    const QStringList expected{"my folder/", "sub/", "les pins_txt.ini", QStringLiteral("café.ini"),
                               QString(300, 'L') + ".ini"};
    start({"odd-names"});
    session().GetDir(QString());
    EXPECT_EQ(pane().List1.items(), expected);

    start({"odd-names"}, false);
    session().GetDir(QString());
    EXPECT_EQ(pane().List1.items(), expected);
    EXPECT_TRUE(harness->sentLine("LIST"));
}

TEST_F(FaultServer, ExistingFileIsMovedAsideWhenTheServerWillNotRenameOntoIt)
{
    start({"no-overwrite"});
    server->putFile("x.ini", "old");
    EXPECT_TRUE(run(Ftp::FtpCommand::put(writeLocal("x", "new"), "x.ini")).ok);
    EXPECT_EQ(server->fileContent("x.ini"), "new");
    EXPECT_EQ(serverFiles(), QStringList{"x.ini"});
    EXPECT_TRUE(harness->sentLine("RNTO ~hmpart-old-x.ini"));
    EXPECT_TRUE(harness->sentLine("DELE ~hmpart-old-x.ini"));
}

TEST_F(FaultServer, LineBreaksInArgumentsNeverReachTheServer)
{
    start({});
    server->putFile("victim.ini", "keep me");
    EXPECT_FALSE(session().runCommand(Ftp::FtpCommand::cd("x\r\nDELE victim.ini")).ok);
    EXPECT_EQ(harness->states.last(), 11);
    EXPECT_FALSE(session().runCommand(Ftp::FtpCommand::put(writeLocal("p", "p"), "a\nDELE victim.ini")).ok);
    EXPECT_FALSE(session().runCommand(Ftp::FtpCommand::remove(QStringLiteral("victim.ini") + QChar(0))).ok);
    EXPECT_TRUE(session().runCommand(Ftp::FtpCommand::pwd()).ok);

    EXPECT_EQ(server->fileContent("victim.ini"), "keep me");
    for (const QString &line : server->receivedCommands())
        EXPECT_FALSE(line.contains("victim")) << line.toStdString();
}

TEST(UnreachableServer, FailsWithoutEverConnecting)
{
    SessionHarness harness(Common::ServerProfile{"127.0.0.1", 1, "anonymous", "x"});
    const Ftp::FtpOutcome outcome = harness.session.runCommand(Ftp::FtpCommand::ls());
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(harness.states.last(), 11);
    EXPECT_FALSE(harness.states.contains(4));
    EXPECT_FALSE(harness.states.contains(10));
}

} // namespace

// A transfer whose data connection breaks once is taken up again from the bytes already
// across, without anyone asking; each new try is announced.
TEST_F(FaultServer, BrokenTransfersResumeWhereTheyStopped)
{
    start({"drop-once:100000"});
    QList<int> tries;
    QObject::connect(&session(), &Ftp::FtpSession::retrying,
                     [&](const QString &, int attempt, int) { tries.append(attempt); });
    QByteArray video(400000, Qt::Uninitialized);
    for (int i = 0; i < video.size(); ++i)
        video[i] = static_cast<char>(i * 7 % 251);

    EXPECT_TRUE(run(Ftp::FtpCommand::put(writeLocal("up.mp4", video), "up.mp4")).ok);
    EXPECT_EQ(TestFiles::read(server->path("up.mp4")), video);
    EXPECT_EQ(serverFiles(), QStringList{"up.mp4"});
    EXPECT_EQ(harness->sent.filter(QRegularExpression("^REST [1-9]")).size(), 1);
    EXPECT_EQ(tries, QList<int>{1});

    start({"drop-once"}); // a new server, whose first transfer breaks
    server->putFile("down.mp4", video);
    EXPECT_TRUE(run(Ftp::FtpCommand::get("down.mp4", local.filePath("down.mp4"))).ok);
    EXPECT_EQ(TestFiles::read(local.filePath("down.mp4")), video);
    EXPECT_EQ(harness->sent.filter(QRegularExpression("^REST [1-9]")).size(), 1);
}

TEST_F(FaultServer, StopDuringTheRetryPauseEndsTheTransferAtOnce)
{
    start({"drop-stor"}, true, {2000, 2000, 2000, 5000});
    QObject::connect(&session(), &Ftp::FtpSession::retrying,
                     [&] { QTimer::singleShot(100, [&] { session().cancel(); }); });
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(run(Ftp::FtpCommand::put(writeLocal("big", QByteArray(1 << 20, 'b')), "video.mp4")).ok);
    EXPECT_LT(clock.elapsed(), 3000);
    EXPECT_EQ(harness->sent.count("USER anonymous"), 1); // no new try after STOP
    EXPECT_FALSE(serverFiles().contains("video.mp4"));
}
