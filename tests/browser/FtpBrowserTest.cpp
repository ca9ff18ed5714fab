#include "common/ProgressWindow.h"
#include "common/StatusLog.h"
#include "browser/FtpBrowser.h"
#include "ftp/FtpRetry.h"
#include "ftp/FtpSession.h"
#include "support/PyftpdProcess.h"
#include "support/ScriptedOperator.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString kAccented = QStringLiteral("les pins été.ini");

// The browser on a real server, with the local pane on a temporary folder.
class FtpBrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.isRunning());
        ASSERT_TRUE(localDir.isValid());
        localRoot = QDir::cleanPath(localDir.path());
        session.configure();
    }

    // Lists the login folder and shows the local folder, as an operator would start.
    void openBoth()
    {
        session.connectFTP();
        browser.local().setPath(localRoot);
    }

    void selectRemote(const QString &entry)
    {
        const int row = remote.List1.items().indexOf(entry);
        ASSERT_GE(row, 0) << entry.toStdString();
        remote.List1.setListIndex(row);
    }

    void selectLocal(const QString &entry)
    {
        const int row = browser.local().List2.items().indexOf(entry);
        ASSERT_GE(row, 0) << entry.toStdString();
        browser.local().List2.setListIndex(row);
    }

    // What the only input box asked: prompt, title and the answer offered.
    QStringList onlyInput() const
    {
        return ui.inputs.size() == 1 ? QStringList{ui.inputs[0].prompt, ui.inputs[0].title, ui.inputs[0].defaultAnswer}
                                     : QStringList{};
    }

    // Commands the server received after `before` of them.
    QStringList commandsSince(qsizetype before) const
    {
        return server.receivedCommands().mid(before);
    }

    PyftpdProcess server;
    QTemporaryDir localDir;
    QString localRoot;
    ScriptedOperator ui;
    Common::StatusLog status;
    Common::ProgressWindow form3{ui};
    Ftp::FtpSession session{server.profile(), ui};
    Browser::FtpBrowser browser{session, form3, status, ui};
    Browser::RemotePane &remote = browser.remote();
};

} // namespace

TEST_F(FtpBrowserTest, DoubleClicksUploadAndDownloadANameWithSpacesAndAccents)
{
    ASSERT_TRUE(TestFiles::write(localRoot + "/" + kAccented, "HOTEL\r\n"));
    openBoth();

    selectLocal(kAccented);
    browser.openLocalEntry();
    EXPECT_EQ(server.fileContent(kAccented), "HOTEL\r\n");
    EXPECT_TRUE(remote.List1.items().contains(kAccented));

    QFile::remove(localRoot + "/" + kAccented);
    browser.local().ChangeDir();
    selectRemote(kAccented);
    browser.openRemoteEntry();
    EXPECT_EQ(TestFiles::read(localRoot + "/" + kAccented), "HOTEL\r\n");
    EXPECT_TRUE(browser.local().List2.items().contains(kAccented));
    EXPECT_TRUE(ui.messages.isEmpty());
}

// Names an 8-bit client wrote, on a server that announces UTF-8, in a folder of their own
// kind: fetched, renamed and deleted under their own bytes, the new name in the same bytes.
TEST_F(FtpBrowserTest, EightBitNamesAreFetchedRenamedAndDeleted)
{
    server.setFaults({"raw-names"});
    QDir().mkpath(server.path("d\u00e9j\u00e0"));
    server.putRawFile("", "caf\xe9.txt", "CAFE");
    server.putRawFile("", "vieux caf\xe9.txt", "OLD");
    openBoth();
    QStringList listed = remote.List1.items();
    listed.sort();
    EXPECT_EQ(listed, (QStringList{"café.txt", "déjà/", "vieux café.txt"}));

    selectRemote("café.txt");
    browser.openRemoteEntry();
    EXPECT_EQ(TestFiles::read(localRoot + "/café.txt"), "CAFE");
    selectRemote("café.txt");
    ui.inputAnswers.enqueue("thé.txt");
    browser.renameRemoteEntry();
    selectRemote("vieux café.txt");
    browser.deleteRemoteEntry();
    EXPECT_EQ(server.rawNames(""), (QList<QByteArray>{"d\xc3\xa9j\xc3\xa0", "th\xe9.txt"}));
    EXPECT_TRUE(ui.messages.isEmpty());

    selectRemote("déjà/");
    browser.openRemoteEntry(); // a folder listed in UTF-8 keeps it
    EXPECT_TRUE(remote.Text2.text().endsWith("/déjà")) << remote.Text2.text().toStdString();
}

TEST_F(FtpBrowserTest, NewDirEnterAndUpMoveThroughTheServerFolders)
{
    openBoth();
    ui.inputAnswers.enqueue("mon dossier");
    browser.makeRemoteFolder();
    EXPECT_EQ(onlyInput(), (QStringList{"Plaese insert the name of the new dir", "Name", "New Folder"}));
    EXPECT_TRUE(QDir(server.path("mon dossier")).exists());
    EXPECT_EQ(remote.List1.items(), QStringList{"mon dossier/"});

    selectRemote("mon dossier/");
    browser.openRemoteEntry();
    EXPECT_TRUE(remote.Text2.text().contains("/mon dossier"));
    EXPECT_EQ(remote.List1.items(), QStringList{Browser::RemotePane::kEmptyMarker});

    browser.remoteUp();
    EXPECT_FALSE(remote.Text2.text().contains("mon dossier"));
    EXPECT_EQ(remote.List1.items(), QStringList{"mon dossier/"});

    const qsizetype before = server.receivedCommands().size();
    browser.makeRemoteFolder(); // cancelled
    EXPECT_TRUE(commandsSince(before).isEmpty());
}

TEST_F(FtpBrowserTest, RenameAsksWithTheEntryAndSendsNothingForTheSameName)
{
    server.putFile("old name.txt", "x");
    openBoth();

    selectRemote("old name.txt");
    ui.inputAnswers.enqueue("new name.txt");
    browser.renameRemoteEntry();
    EXPECT_EQ(onlyInput(), (QStringList{"Rename old name.txt to?", "Rename to?", "old name.txt"}));
    EXPECT_EQ(server.fileContent("new name.txt"), "x");
    EXPECT_EQ(remote.List1.items(), QStringList{"new name.txt"});

    const qsizetype before = server.receivedCommands().size();
    selectRemote("new name.txt");
    ui.inputAnswers.enqueue("new name.txt");
    browser.renameRemoteEntry();
    browser.renameRemoteEntry(); // cancelled
    remote.List1.setListIndex(-1);
    browser.renameRemoteEntry(); // nothing selected: not even asked
    EXPECT_EQ(ui.inputs.size(), 3);
    EXPECT_TRUE(commandsSince(before).isEmpty());
    EXPECT_TRUE(QFile::exists(server.path("new name.txt")));
}

TEST_F(FtpBrowserTest, DeleteRemovesAFileAndAFolderEntryAsListed)
{
    server.putFile("vieux fichier.txt", "x");
    QDir().mkpath(server.path("sub"));
    openBoth();

    const qsizetype before = server.receivedCommands().size();
    browser.deleteRemoteEntry(); // nothing selected
    EXPECT_TRUE(commandsSince(before).isEmpty());

    selectRemote("vieux fichier.txt");
    browser.deleteRemoteEntry();
    EXPECT_FALSE(QFile::exists(server.path("vieux fichier.txt")));
    EXPECT_EQ(remote.List1.items(), QStringList{"sub/"});

    selectRemote("sub/");
    const qsizetype beforeRmdir = server.receivedCommands().size();
    browser.deleteRemoteEntry();
    EXPECT_EQ(commandsSince(beforeRmdir).filter(QRegularExpression("^(RMD|DELE)")), QStringList{"RMD sub"});
    EXPECT_FALSE(QDir(server.path("sub")).exists());
    EXPECT_EQ(remote.List1.items(), QStringList{Browser::RemotePane::kEmptyMarker});
}

TEST_F(FtpBrowserTest, GetIsRefusedForNamesLeavingTheLocalFolderOrWithoutOne)
{
    server.putFile("two..dots.txt", "x");
    server.putFile("back\\slash.txt", "x");
    server.putFile("fine.txt", "x");
    session.connectFTP();

    const qsizetype before = server.receivedCommands().size();
    selectRemote("fine.txt");
    browser.openRemoteEntry(); // no local folder shown yet
    browser.local().setPath(localRoot);
    browser.local().ChangeDrive();
    browser.openRemoteEntry(); // drive list shown
    EXPECT_TRUE(ui.messages.isEmpty());

    browser.local().setPath(localRoot);
    for (const QString &name : {QString("two..dots.txt"), QString("back\\slash.txt")}) {
        selectRemote(name);
        browser.openRemoteEntry();
    }
    EXPECT_TRUE(commandsSince(before).filter("RETR").isEmpty());
    ASSERT_EQ(ui.messages.size(), 2);
    EXPECT_TRUE(ui.messages[1].text.endsWith("back\\slash.txt"));
    EXPECT_EQ(ui.messages[1].title, "Pendric Hotel Manager");
    EXPECT_TRUE(QDir(localRoot).isEmpty());
}

TEST_F(FtpBrowserTest, PutWithoutLocalFolderAndTheEmptyMarkerDoNothing)
{
    ASSERT_TRUE(TestFiles::write(localRoot + "/a.txt", "x"));
    openBoth();
    ASSERT_EQ(remote.List1.items(), QStringList{Browser::RemotePane::kEmptyMarker});
    selectLocal("a.txt");
    browser.local().Text1.setText({}); // as if the drive list had just been shown
    const qsizetype before = server.receivedCommands().size();
    browser.openLocalEntry();

    remote.List1.setListIndex(0);
    browser.openRemoteEntry();
    browser.deleteRemoteEntry(); // no "DELE This folder is empty"
    EXPECT_TRUE(commandsSince(before).isEmpty());
    EXPECT_EQ(remote.List1.items(), QStringList{Browser::RemotePane::kEmptyMarker});
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(FtpBrowserTest, ConnectShowsTheProgressWindowAndCancelResetsTheRemotePane)
{
    openBoth();
    EXPECT_FALSE(browser.Command1Enabled.value()); // connected
    browser.loadProgressWindow();
    EXPECT_EQ(ui.progressEvents, QStringList{"show"});
    EXPECT_TRUE(ui.mainEnabled);

    browser.resetRemotePane();
    EXPECT_EQ(remote.List1.count(), 0);
    EXPECT_EQ(remote.Text2.text(), "");
    EXPECT_EQ(session.status().StatusBar1.text(), "");
    EXPECT_TRUE(browser.Command1Enabled.value());

    session.connectFTP();
    browser.disconnect();
    session.Wait();
    EXPECT_TRUE(browser.Command1Enabled.value());
    EXPECT_TRUE(server.receivedCommands().contains("QUIT"));
    EXPECT_EQ(remote.List1.count(), 0);
}

TEST_F(FtpBrowserTest, EditingModeListsTheVideosFolderAndDeletesFilesOnly)
{
    server.putFile("www/hmanager/datas/videos/plages/mer.mp4", "v");
    server.putFile("www/hmanager/datas/videos/vieux clip.mp4", "v");
    Browser::VideoFolderEditor &editor = browser.editor();
    EXPECT_FALSE(editor.Command20Enabled.value());

    editor.enterEditingMode();
    EXPECT_EQ(remote.List1.items(), (QStringList{"plages/", "vieux clip.mp4"}));
    EXPECT_EQ(remote.List1.listIndex(), 0);
    EXPECT_TRUE(editor.Command20Enabled.value());
    EXPECT_EQ(ui.progressEvents, (QStringList{"show-blocking", "hide"}));
    EXPECT_TRUE(ui.mainEnabled);

    const qsizetype before = server.receivedCommands().size();
    editor.deleteSelectedVideo(); // a folder entry is never deleted
    EXPECT_TRUE(commandsSince(before).filter(QRegularExpression("^(DELE|RMD)")).isEmpty());
    EXPECT_TRUE(QFile::exists(server.path("www/hmanager/datas/videos/plages/mer.mp4")));

    selectRemote("vieux clip.mp4");
    editor.deleteSelectedVideo();
    EXPECT_FALSE(QFile::exists(server.path("www/hmanager/datas/videos/vieux clip.mp4")));
    EXPECT_EQ(remote.List1.items(), QStringList{"plages/"});

    const qsizetype beforeNone = server.receivedCommands().size();
    editor.deleteSelectedVideo(); // nothing selected after the listing
    EXPECT_TRUE(commandsSince(beforeNone).isEmpty());
}

TEST_F(FtpBrowserTest, EditingModeStopsAtAFolderItCannotEnter)
{
    server.putFile("www/hmanager/datas/videos/clip.mp4", "v");
    Browser::VideoFolderEditor &editor = browser.editor();
    editor.enterEditingMode();
    ASSERT_TRUE(editor.Command20Enabled.value());

    ASSERT_TRUE(QDir(server.path("www/hmanager/datas/videos")).removeRecursively());
    const qsizetype before = server.receivedCommands().size();
    editor.enterEditingMode();
    EXPECT_FALSE(editor.Command20Enabled.value());
    EXPECT_TRUE(status.all().last().startsWith("Mode édition : impossible d'entrer dans le dossier videos"));
    EXPECT_TRUE(commandsSince(before).filter(QRegularExpression("^(MLSD|LIST)")).size() == 1); // the login folder's only
    EXPECT_TRUE(ui.mainEnabled);
    EXPECT_FALSE(ui.progressShown);
}

TEST_F(FtpBrowserTest, ActionsReachedWhileATransferWaitsAreRefused)
{
    server.putFile("slow.bin", QByteArray(1000, 'x'));
    server.putFile("other.txt", "o");
    openBoth();
    session.setTimeouts({5000, 5000, 500, 50});
    server.setFaults({"stall-retr"});
    selectRemote("slow.bin");
    const qsizetype before = server.receivedCommands().size();
    bool tried = false;
    QTimer::singleShot(100, [&] {
        tried = true;
        EXPECT_TRUE(session.actionRunning());
        selectRemote("other.txt");
        browser.deleteRemoteEntry();  // would delete it
        browser.openRemoteEntry();  // would fetch it
        browser.disconnect();  // would close the connection under the transfer
        browser.editor().enterEditingMode();
    });
    browser.openRemoteEntry();

    EXPECT_TRUE(tried);
    EXPECT_EQ(commandsSince(before).filter(QRegularExpression("^(RETR|DELE|QUIT)")),
              QStringList(1 + Ftp::FtpRetry::kTries, "RETR slow.bin")); // the stalled one, tried again
    EXPECT_TRUE(QFile::exists(server.path("other.txt")));
    EXPECT_FALSE(QFile::exists(localRoot + "/other.txt"));
    EXPECT_FALSE(QFile::exists(localRoot + "/slow.bin")); // the stalled one failed on its own
    EXPECT_TRUE(ui.progressEvents.isEmpty());
    EXPECT_FALSE(session.actionRunning());
}

TEST(VideoFolderEditor, WithoutListingRestoresTheWindowsAndLogs)
{
    // Nothing listens on port 1: every command fails and no listing comes.
    ScriptedOperator ui;
    Common::StatusLog status;
    Common::ProgressWindow form3{ui};
    Ftp::FtpSession session{Common::ServerProfile{"127.0.0.1", 1, "pendric", "pendric1"}, ui};
    session.configure();
    Browser::RemoteChanges changes{session};
    Browser::RemotePane remote{session, changes};
    Browser::VideoFolderEditor editor{session, remote, form3, status};

    editor.enterEditingMode();
    EXPECT_FALSE(ui.progressShown);
    EXPECT_TRUE(ui.mainEnabled);
    EXPECT_FALSE(editor.Command20Enabled.value());
    ASSERT_EQ(status.all().size(), 1);
    EXPECT_TRUE(status.all()[0].startsWith("Mode édition"));
}
