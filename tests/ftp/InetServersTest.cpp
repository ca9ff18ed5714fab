#include "SessionHarness.h"
#include "support/PyftpdProcess.h"
#include "support/VsftpdProcess.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

namespace {

using ServerFactory = std::function<std::unique_ptr<FtpServerProcess>()>;

struct ServerKind {
    const char *name;
    ServerFactory start;
};

// The same behaviour against pyftpdlib (MLSD, UTF8) and vsftpd (LIST only).
class RealServer : public ::testing::TestWithParam<ServerKind> {
protected:
    void SetUp() override
    {
        server = GetParam().start();
        ASSERT_TRUE(server->isRunning());
        QDir().mkpath(server->path("www"));
        harness = std::make_unique<SessionHarness>(server->profile());
        ASSERT_TRUE(session().runCommand(Ftp::FtpCommand::cd("www")).ok);
    }

    Ftp::FtpSession &session() { return harness->session; }
    Browser::RemotePane &pane() { return harness->pane; }
    QStringList serverFiles() { return QDir(server->path("www")).entryList(QDir::Files); }

    std::unique_ptr<FtpServerProcess> server;
    std::unique_ptr<SessionHarness> harness;
    QTemporaryDir local;
};

TEST_P(RealServer, NamesWithSpacesStayWholeBothWays)
{
    const QString source = local.filePath("a b.ini");
    ASSERT_TRUE(TestFiles::write(source, "BIENVENUE\r\nLIGNE 2\r\n"));

    const Ftp::FtpOutcome put = session().Transfert_FTP(source, "les pins_txt.ini");
    EXPECT_TRUE(put.ok) << put.replyText.toStdString();
    EXPECT_EQ(put.command.text(), "PUT " + source + " les pins_txt.ini");
    EXPECT_EQ(server->fileContent("www/les pins_txt.ini"), "BIENVENUE\r\nLIGNE 2\r\n");
    EXPECT_EQ(serverFiles(), QStringList{"les pins_txt.ini"});
    EXPECT_TRUE(pane().List1.items().contains("les pins_txt.ini"));
    EXPECT_TRUE(harness->sentUpload("STOR", "les pins_txt.ini"));
    EXPECT_TRUE(harness->sentLine("RNTO les pins_txt.ini"));

    const QString back = local.filePath("back copy.ini");
    EXPECT_TRUE(session().GET_Transfert_FTP("les pins_txt.ini", back).ok);
    EXPECT_EQ(TestFiles::read(back), "BIENVENUE\r\nLIGNE 2\r\n");
    EXPECT_EQ(QDir(local.path()).entryList(QDir::Files), (QStringList{"a b.ini", "back copy.ini"}));
}

TEST_P(RealServer, PutReplacesAnExistingFile)
{
    server->putFile("www/x.ini", "old content");
    server->putFile("www/~hmpart-0000abcd-y.ini", "another workstation's upload");
    session().GetDir(QString());
    EXPECT_EQ(pane().List1.items(), QStringList{"x.ini"}); // temporary names are never listed

    ASSERT_TRUE(TestFiles::write(local.filePath("x.ini"), "new"));
    EXPECT_TRUE(session().Transfert_FTP(local.filePath("x.ini"), "x.ini").ok);
    EXPECT_EQ(server->fileContent("www/x.ini"), "new");
    EXPECT_EQ(serverFiles(), (QStringList{"x.ini", "~hmpart-0000abcd-y.ini"}));
}

TEST_P(RealServer, FolderCommandsChangeTheServerTree)
{
    EXPECT_TRUE(session().runCommand(Ftp::FtpCommand::mkdir("new dir")).ok);
    EXPECT_TRUE(session().runCommand(Ftp::FtpCommand::cd("new dir")).ok);
    session().GetDir(QString());
    EXPECT_EQ(pane().Text2.text(), "/www/new dir");
    EXPECT_EQ(pane().List1.items(), QStringList{Browser::RemotePane::kEmptyMarker});

    EXPECT_TRUE(session().runCommand(Ftp::FtpCommand::cdup()).ok);
    EXPECT_TRUE(session().runCommand(Ftp::FtpCommand::rename("new dir", "renamed")).ok);
    server->putFile("www/renamed/gone.txt", "x");
    session().GetDir("renamed");
    EXPECT_EQ(pane().List1.items(), QStringList{"gone.txt"});
    EXPECT_TRUE(session().runCommand(Ftp::FtpCommand::remove("gone.txt")).ok);
    EXPECT_TRUE(session().runCommand(Ftp::FtpCommand::cdup()).ok);
    session().GetDir(QString());
    EXPECT_EQ(pane().List1.items(), QStringList{"renamed/"});
    // a folder entry of the listing is accepted as it is
    EXPECT_TRUE(session().runCommand(Ftp::FtpCommand::rmdir("renamed/")).ok);
    EXPECT_FALSE(QDir(server->path("www/renamed")).exists());
}

TEST_P(RealServer, RefusedCommandIsReportedAndTheConnectionGoesOn)
{
    const Ftp::FtpOutcome outcome = session().runCommand(Ftp::FtpCommand::cd("missing"));
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.replyCode, 550);
    EXPECT_EQ(session().status().StatusBar1.text(), "Error occurred in communicating with the host computer");
    EXPECT_EQ(harness->states.last(), 11);
    EXPECT_FALSE(session().runCommand(Ftp::FtpCommand::get("missing.ini", local.filePath("m"))).ok);
    EXPECT_FALSE(QFile::exists(local.filePath("m")));

    const Ftp::FtpOutcome pwd = session().runCommand(Ftp::FtpCommand::pwd());
    EXPECT_TRUE(pwd.ok);
    EXPECT_EQ(session().GetData(), "/www");
    EXPECT_EQ(harness->sent.count("USER anonymous"), 1); // still the first connection
}

TEST_P(RealServer, LargeFileStreamsIntactWithProgress)
{
    QByteArray content(3 * 1024 * 1024 + 17, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(content.data()), content.size() / 4);
    ASSERT_TRUE(TestFiles::write(local.filePath("big.bin"), content));
    QSignalSpy progress(&session(), &Ftp::FtpSession::transferProgress);

    EXPECT_TRUE(session().runCommand(Ftp::FtpCommand::put(local.filePath("big.bin"), "big.bin")).ok);
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.last().at(0).toLongLong(), content.size());
    EXPECT_EQ(progress.last().at(1).toLongLong(), content.size());
    EXPECT_TRUE(session().runCommand(Ftp::FtpCommand::get("big.bin", local.filePath("copy.bin"))).ok);
    EXPECT_TRUE(TestFiles::read(local.filePath("copy.bin")) == content);
}

INSTANTIATE_TEST_SUITE_P(
    Servers, RealServer,
    ::testing::Values(ServerKind{"pyftpdlib", [] { return std::make_unique<PyftpdProcess>(); }},
                      ServerKind{"vsftpd", [] { return std::make_unique<VsftpdProcess>(); }}),
    [](const auto &info) { return std::string(info.param.name); });

// Sends "café.ini", holding "x", into `folder` on a fresh connection.
bool sendsCafe(SessionHarness &harness, const QString &folder = {})
{
    QTemporaryDir local;
    if (!TestFiles::write(local.filePath("c"), "x"))
        return false;
    if (!folder.isEmpty())
        harness.session.runCommand(Ftp::FtpCommand::cd(folder));
    return harness.session.Transfert_FTP(local.filePath("c"), QStringLiteral("café.ini")).ok;
}

TEST(PyftpdlibServer, ListsWithMlsdAndSendsNamesInUtf8)
{
    PyftpdProcess server;
    ASSERT_TRUE(server.isRunning());
    SessionHarness harness(server.profile());
    EXPECT_TRUE(sendsCafe(harness));
    EXPECT_EQ(server.fileContent(QStringLiteral("café.ini")), "x");
    EXPECT_EQ(harness.pane.List1.items(), QStringList{QStringLiteral("café.ini")});
    EXPECT_TRUE(harness.sentLine("OPTS UTF8 ON"));
    EXPECT_TRUE(harness.sentLine("MLSD"));
    EXPECT_TRUE(harness.sentLine("EPSV"));
    EXPECT_FALSE(harness.sentLine("PASV"));
}

TEST(VsftpdServer, ListsWithListAndSendsNamesInWindows1252)
{
    VsftpdProcess server;
    ASSERT_TRUE(server.isRunning());
    SessionHarness harness(server.profile());
    EXPECT_TRUE(sendsCafe(harness, "www"));
    const QByteArray rawName = server.path("www/").toUtf8() + "caf\xe9.ini";
    EXPECT_EQ(::unlink(rawName.constData()), 0); // also lets the temporary folder go
    EXPECT_EQ(harness.pane.List1.items(), QStringList{QStringLiteral("café.ini")});
    EXPECT_TRUE(harness.sentUpload("STOR", QStringLiteral("café.ini")));
    EXPECT_TRUE(harness.sentLine("LIST"));
    EXPECT_FALSE(harness.sentLine("MLSD"));
    EXPECT_FALSE(harness.sentLine("OPTS UTF8 ON"));

    // a name with no place in the code page is refused, not mangled
    const Ftp::FtpOutcome outcome = harness.session.runCommand(Ftp::FtpCommand::mkdir(QStringLiteral("名前")));
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.replyCode, 0);
}

} // namespace
