#include "SessionHarness.h"
#include "support/PyftpdProcess.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <ctime>
#include <memory>
#include <gtest/gtest.h>

namespace {

const QString kDisconnected = QStringLiteral("Successfully disconnected from the host computer");
const QString kCompleted = QStringLiteral("Request completed, all data received");

class SessionOnServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server->isRunning());
        server->putFile("www/a.ini", "a");
    }

    Ftp::FtpSession &session() { return harness.session; }
    Browser::RemotePane &pane() { return harness.pane; }

    std::unique_ptr<PyftpdProcess> server = std::make_unique<PyftpdProcess>();
    SessionHarness harness{server->profile()};
};

TEST_F(SessionOnServer, StatusBarShowsEachStateAndTheSuffixOnlyWhileBusy)
{
    QStringList shown;
    QObject::connect(&session().status().StatusBar1, &Common::TextValue::changed,
                     [&](const QString &text) { shown.append(text); });
    session().GetDir(QString());
    EXPECT_TRUE(shown.contains("Connecting to the host computer. Plaese wait..."));
    EXPECT_TRUE(shown.contains("Sending a request to the host computer. Plaese wait..."));
    EXPECT_EQ(session().status().StatusBar1.text(), kCompleted);

    Ftp::ClientStatus &status = session().status();
    status.showState(static_cast<Ftp::InetState>(13), false); // unknown codes leave the text
    EXPECT_EQ(status.StatusBar1.text(), kCompleted);
    status.showState(static_cast<Ftp::InetState>(13), true);
    EXPECT_EQ(status.StatusBar1.text(), kCompleted + Ftp::ClientStatus::kBusySuffix);
}

TEST_F(SessionOnServer, ListingHoldsFoldersFirstWithoutSelection)
{
    server->putFile("www/z dir/f", "");
    server->putFile("www/b.ini", "b");
    pane().List1.setItems({"stale"});
    pane().List1.setListIndex(0);
    session().GetDir("www");
    const QStringList items = pane().List1.items();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items.first(), "z dir/");
    EXPECT_EQ(QStringList(items.mid(1)).count("a.ini") + QStringList(items.mid(1)).count("b.ini"), 2);
    EXPECT_EQ(pane().List1.listIndex(), -1);
    EXPECT_EQ(pane().Text2.text(), "/www");

    session().GetDir(QString()); // the same folder again
    EXPECT_EQ(pane().Text2.text(), "/www");
    session().GetDir("z dir");
    EXPECT_EQ(pane().List1.items(), QStringList{"f"});
}

TEST_F(SessionOnServer, DisconnectWipesTheListingAndTheNextCommandStartsAtLogin)
{
    session().GetDir("www");
    session().disconnectFTP(); // does not wait
    EXPECT_TRUE(session().busy());
    session().runCommand(Ftp::FtpCommand::pwd());
    EXPECT_EQ(session().GetData(), "/");
    EXPECT_TRUE(harness.states.contains(10));
    EXPECT_EQ(harness.sent.count("USER anonymous"), 2);

    session().disconnectFTP();
    session().Wait();
    EXPECT_EQ(session().status().StatusBar1.text(), kDisconnected);
    EXPECT_TRUE(pane().List1.items().isEmpty());
    EXPECT_TRUE(pane().Text2.text().isEmpty());
}

TEST_F(SessionOnServer, ConnectListsTheCurrentFolderOfAnOpenConnection)
{
    session().runCommand(Ftp::FtpCommand::cd("www"));
    session().connectFTP();
    EXPECT_EQ(pane().Text2.text(), "/www");
    EXPECT_EQ(pane().List1.items(), QStringList{"a.ini"});
}

TEST_F(SessionOnServer, DroppedConnectionWipesTheListing)
{
    session().GetDir("www");
    ASSERT_EQ(pane().List1.count(), 1);
    QSignalSpy states(&session(), &Ftp::FtpSession::stateChanged);
    server.reset(); // the server goes away under an idle session
    ASSERT_TRUE(states.wait(5000));
    EXPECT_EQ(states.last().at(0).value<Ftp::InetState>(), Ftp::InetState::Disconnected);
    EXPECT_TRUE(pane().List1.items().isEmpty());
}

TEST_F(SessionOnServer, WaitCalledFromAStateChangeDoesNotBlock)
{
    bool nested = false;
    QObject::connect(&session(), &Ftp::FtpSession::stateChanged, [&](Ftp::InetState state) {
        if (state == Ftp::InetState::Requesting && !nested) {
            nested = true;
            session().Wait(); // blocking here would hold up the reply it waits for
        }
    });
    QElapsedTimer clock;
    clock.start();
    EXPECT_TRUE(session().runCommand(Ftp::FtpCommand::pwd()).ok);
    EXPECT_TRUE(nested);
    EXPECT_LT(clock.elapsed(), 5000);
}

TEST_F(SessionOnServer, FailedListingResetsTheBrowserAndTellsTheOperator)
{
    session().GetDir("www");
    session().GetDir("bad\rname");
    ASSERT_EQ(harness.op.messages.size(), 1);
    const ScriptedOperator::Message &message = harness.op.messages.first();
    EXPECT_EQ(message.title, "Error");
    EXPECT_EQ(message.icon, Common::OperatorUi::Icon::Critical);
    EXPECT_EQ(message.buttons, Common::OperatorUi::Buttons::Ok);
    EXPECT_FALSE(message.text.isEmpty());
    EXPECT_TRUE(pane().List1.items().isEmpty());
    EXPECT_TRUE(session().status().StatusBar1.text().isEmpty());
    EXPECT_TRUE(pane().Text2.text().isEmpty());
}

TEST(SessionStartUp, ConfiguresAndListsTheLoginFolder)
{
    PyftpdProcess server;
    ASSERT_TRUE(server.isRunning());
    ScriptedOperator op;
    Ftp::FtpSession session(server.profile(), op);
    Browser::RemoteChanges changes(session);
    Browser::RemotePane pane(session, changes);
    session.startUp();
    EXPECT_EQ(pane.List1.items(), QStringList{Browser::RemotePane::kEmptyMarker});
    EXPECT_EQ(pane.Text2.text(), "/");
}

TEST(SessionStartUp, UnreachableServerLeavesTheEmptyMarkerAndNoMessage)
{
    ScriptedOperator op;
    Ftp::FtpSession session(Common::ServerProfile{"127.0.0.1", 1, "pendric", "pendric1"}, op);
    Browser::RemoteChanges changes(session);
    Browser::RemotePane pane(session, changes);
    session.startUp();
    EXPECT_EQ(pane.List1.items(), QStringList{Browser::RemotePane::kEmptyMarker});
    EXPECT_TRUE(pane.Text2.text().isEmpty());
    EXPECT_TRUE(op.messages.isEmpty());
    EXPECT_EQ(session.status().StatusBar1.text(), "Error occurred in communicating with the host computer");
}

TEST(SessionWait, SleepsWhileTheServerIsSlow)
{
    PyftpdProcess server(PyftpdProcess::Options{true, {"stall-retr"}, 0});
    ASSERT_TRUE(server.isRunning());
    server.putFile("a", "a");
    SessionHarness harness(server.profile(), Ftp::FtpTimeouts{2000, 2000, 1000});
    harness.session.runCommand(Ftp::FtpCommand::pwd());
    const std::clock_t before = std::clock();
    harness.session.runCommand(Ftp::FtpCommand::get("a", server.path("copy")));
    const double cpuSeconds = double(std::clock() - before) / CLOCKS_PER_SEC;
    EXPECT_LT(cpuSeconds, 0.2); // a busy wait would burn about the whole second
}

} // namespace
