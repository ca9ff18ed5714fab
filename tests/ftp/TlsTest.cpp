#include "app/HotelManager.h"
#include "common/Module1.h"
#include "ftp/FtpTrace.h"
#include "support/Files.h"
#include "support/PyftpdProcess.h"
#include "support/ScriptedOperator.h"
#include "support/VsftpdProcess.h"
#include "videos/Category.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QString kTextes = QStringLiteral("www/hmanager/datas/textes/");
const QByteArray kMimosa = "BIENVENUE\r\nPETIT D\xC9JEUNER \xC0 9H\r\n";
using Answer = Common::OperatorUi::Answer;

PyftpdProcess::Options tlsOptions()
{
    PyftpdProcess::Options options;
    options.tls = true;
    return options;
}

// The program against one server, started as often as a test needs with the same data root.
class Program {
public:
    explicit Program(FtpServerProcess &server) : server_(server)
    {
        server.putFile(kTextes + "mimosa_txt.ini", kMimosa);
        server.putFile(kTextes + "les pins_txt.ini", "PINS\r\n");
        for (const Videos::Category &c : Videos::categories())
            QDir().mkpath(server.path("www/hmanager/datas/videos/" + c.key));
        QDir().mkpath(server.path("www/hmanager/datas/videos_lst"));
        // vsftpd writes as its anonymous user (as root, the files above are root's).
        QProcess::execute("chown", {"-R", "ftp:ftp", server.path("www")});
    }

    void start(const Common::ServerProfile &profile)
    {
        wire.clear();
        app = std::make_unique<App::HotelManager>(profile, data.path(), op);
        QObject::connect(&app->ftp(), &Ftp::FtpSession::commandSent, [this](const QString &l) { wire.append(l); });
        app->start();
    }
    void start() { start(server_.profile()); }

    QString local(const QString &relative) const { return data.filePath(relative); }
    // "->" of a video of `bytes` in the plages category: true when it arrived whole.
    bool sendsVideo(const QByteArray &bytes)
    {
        const QString clip = local("clip.mp4");
        TestFiles::write(clip, bytes);
        Videos::CategoryLists &lists = app->categories();
        lists.list("plages").setItems({clip});
        lists.list("plages").setListIndex(0);
        app->videos().sendSelected(lists.indexOf("plages"));
        return server_.fileContent("www/hmanager/datas/videos/plages/clip.mp4") == bytes;
    }
    QString pins() const { return local("cfg/trusted-certificates"); }
    bool sentLogin() const { return !wire.filter(QRegularExpression("^(USER|PASS) ")).isEmpty(); }
    bool logSays(const QString &part) const { return !app->status().all().filter(part).isEmpty(); }

    QTemporaryDir data;
    ScriptedOperator op;
    std::unique_ptr<App::HotelManager> app;
    QStringList wire;

private:
    FtpServerProcess &server_;
};

void expectTlsBeforeLogin(const QStringList &wire)
{
    const qsizetype auth = wire.indexOf("AUTH TLS");
    ASSERT_GE(auth, 0) << wire.join(" | ").toStdString();
    EXPECT_LT(auth, wire.indexOf(QRegularExpression("USER .*")));
    EXPECT_LT(wire.indexOf(QRegularExpression("PASS .*")), wire.indexOf("PROT P"));
}

} // namespace

// Start-up, a hotel published and one removed, a video sent: every byte over TLS, on
// pyftpdlib and on a vsftpd that refuses clear logins and data connections that do not
// resume the control connection's session.
class OverTls : public ::testing::TestWithParam<bool> {};

TEST_P(OverTls, StartsPublishesAndRemoves)
{
    std::unique_ptr<FtpServerProcess> server;
    if (GetParam())
        server = std::make_unique<VsftpdProcess>(true);
    else
        server = std::make_unique<PyftpdProcess>(tlsOptions());
    ASSERT_TRUE(server->isRunning());
    Program program(*server);
    program.start();
    expectTlsBeforeLogin(program.wire);
    EXPECT_TRUE(program.op.messages.isEmpty()) << "a CA-signed certificate is asked about";
    EXPECT_TRUE(program.app->ftp().status().TlsStatus.text().startsWith("TLS 1."));
    EXPECT_EQ(TestFiles::read(program.local("cfg/textes/mimosa_txt.ini")), kMimosa);
    Common::ListBox &hotels = program.app->hotels().lstHotel;
    ASSERT_EQ(hotels.count(), 2);

    TestFiles::write(program.local("cfg/textes/mimosa_txt.ini"), "EDITED\r\n");
    hotels.setListIndex(static_cast<int>(hotels.items().indexOf("MIMOSA")));
    program.app->phrasePublisher().publishSelected();
    EXPECT_EQ(server->fileContent(kTextes + "mimosa_txt.ini"), "EDITED\r\n");

    hotels.setListIndex(static_cast<int>(hotels.items().indexOf("LES PINS")));
    program.app->phrasePublisher().removeSelected();
    EXPECT_FALSE(QFile::exists(server->path(kTextes + "les pins_txt.ini")));

    // Larger uploads are cut short now and then by pyftpdlib's own TLS close (our size
    // check catches it); vsftpd takes any size.
    EXPECT_TRUE(program.sendsVideo(QByteArray("clip ").repeated(GetParam() ? 300000 : 20000)));
    EXPECT_FALSE(program.logSays("ERREUR")) << program.app->status().all().join(" | ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(Servers, OverTls, ::testing::Values(false, true),
                         [](const auto &info) { return info.param ? "vsftpd" : "pyftpdlib"; });

// A certificate no CA of the build vouches for is put to the operator once: OK pins it
// for the host and port, a changed one is named as such, Cancel sends nothing.
TEST(CertificateTrust, FirstUsePinnedChangedAndRefused)
{
    PyftpdProcess server(tlsOptions());
    Program program(server);
    Common::ServerProfile unknownCa = server.profile();
    unknownCa.extraCaPem.clear();

    QTemporaryDir traceDir;
    const QString trace = traceDir.filePath("trace");
    qputenv("HM_FTP_TRACE", trace.toUtf8());
    program.start(unknownCa);
    qunsetenv("HM_FTP_TRACE");
    const QStringList received = server.receivedCommands();
    const QStringList beforeLogin = received.mid(0, received.indexOf(QRegularExpression("^USER ")));
    EXPECT_EQ(beforeLogin.filter("AUTH TLS").size(), 1) << "the login waits for the answer, no second handshake";
    const QByteArray traced = TestFiles::read(trace);
    EXPECT_TRUE(traced.contains(" 1 > PASS ****\n") && traced.contains(" 1 * TLS handshake\n")) << traced.toStdString();
    EXPECT_FALSE(traced.contains(unknownCa.password.toUtf8())) << "the password never reaches the trace";
    EXPECT_EQ(QFile::permissions(trace), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    const QString planted = traceDir.filePath("planted");
    ASSERT_TRUE(QFile::link(traceDir.filePath("elsewhere"), planted));
    qputenv("HM_FTP_TRACE", planted.toUtf8());
    Ftp::FtpTrace::note(1, "followed");
    qunsetenv("HM_FTP_TRACE");
    EXPECT_FALSE(QFile::exists(traceDir.filePath("elsewhere"))) << "a symlink at the trace's path is not followed";
    ASSERT_EQ(program.op.messages.size(), 1);
    EXPECT_TRUE(program.op.messages[0].text.contains("émetteur inconnu"));
    EXPECT_TRUE(program.op.messages[0].text.contains("SHA-256"));
    EXPECT_EQ(program.op.messages[0].buttons, Common::OperatorUi::Buttons::OkCancel);
    EXPECT_EQ(program.app->hotels().lstHotel.count(), 2);
    const QString hostPort = QStringLiteral("127.0.0.1:%1").arg(server.profile().port);
    ASSERT_EQ(Common::Module1::readListFile(program.pins()).size(), 1);
    EXPECT_TRUE(Common::Module1::readListFile(program.pins())[0].startsWith(hostPort + " "));

    program.op.messages.clear();
    program.start(unknownCa);
    EXPECT_TRUE(program.op.messages.isEmpty()) << "the pinned certificate is asked about again";
    EXPECT_EQ(program.app->hotels().lstHotel.count(), 2);

    // Another certificate on the same host and port: the operator refuses it.
    TestFiles::write(program.local("cfg/textes/mimosa_txt.ini"), "LOCAL COPY\r\n");
    const auto logins = [&] { return server.receivedCommands().filter(QRegularExpression("^(USER|PASS) ")).size(); };
    // The last start's helper connections may still be reaching the server's log.
    qsizetype loginsBefore = -1;
    for (int i = 0; i < 20 && loginsBefore != logins(); ++i) {
        loginsBefore = logins();
        QTest::qWait(100);
    }
    server.setFaults({"tls-rogue"});
    program.op.messageAnswers.enqueue(Answer::Cancel);
    program.start(server.profile());
    ASSERT_EQ(program.op.messages.size(), 1);
    EXPECT_TRUE(program.op.messages[0].text.contains("a changé"));
    EXPECT_FALSE(program.sentLogin());
    EXPECT_EQ(logins(), loginsBefore);
    EXPECT_EQ(TestFiles::read(program.local("cfg/textes/mimosa_txt.ini")), "LOCAL COPY\r\n");
    EXPECT_TRUE(program.logSays("ERREUR") || program.logSays("injoignable")) << program.app->status().all().join(" | ").toStdString();
}

// "When offered" against a server that lists TLS and refuses it, at AUTH (no certificate
// set up) or at PROT: the start-up, a publish-all and a video go through in clear, the log
// says so once, and the padlock shows the refusal.
class TlsRefused : public ::testing::TestWithParam<bool> {};

TEST_P(TlsRefused, WhenOfferedGoesOnInClear)
{
    PyftpdProcess::Options options;
    options.tls = GetParam();
    options.faults = {GetParam() ? "refuse:PROT:536" : "tls-refused"};
    PyftpdProcess server(options);
    Program program(server);
    Common::ServerProfile profile = server.profile();
    profile.tls = Common::TlsPolicy::WhenOffered;
    program.start(profile);
    ASSERT_EQ(program.app->hotels().lstHotel.count(), 2);
    const QString refusal = GetParam() ? "536 Refused by test server." : "500 This security scheme is not implemented.";
    EXPECT_EQ(program.app->ftp().status().TlsRefusal.text(), "Connexion non chiffrée : le serveur a refusé TLS (" + refusal + ")");

    TestFiles::write(program.local("cfg/textes/les pins_txt.ini"), "EDITED\r\n");
    program.app->phrasePublisher().publishAll();
    EXPECT_EQ(server.fileContent(kTextes + "les pins_txt.ini"), "EDITED\r\n");
    EXPECT_TRUE(program.sendsVideo(QByteArray("clip ").repeated(20000)));
    const QStringList log = program.app->status().all();
    EXPECT_EQ(log.filter("Connexion non chiffrée").size(), 1) << log.join(" | ").toStdString();
    EXPECT_TRUE(log.filter("ERREUR").isEmpty()) << log.join(" | ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(Servers, TlsRefused, ::testing::Values(false, true),
                         [](const auto &info) { return info.param ? "at_PROT" : "at_AUTH"; });

// Under "required", a server without TLS never sees the account, nor one that lists TLS
// and refuses it.
class RequiredTls : public ::testing::TestWithParam<const char *> {};

TEST_P(RequiredTls, RefusesAServerWithoutTls)
{
    PyftpdProcess::Options options;
    if (*GetParam())
        options.faults = {GetParam()};
    PyftpdProcess server(options);
    Program program(server);
    Common::ServerProfile profile = server.profile();
    profile.tls = Common::TlsPolicy::Required;
    TestFiles::write(program.local("cfg/textes/mimosa_txt.ini"), "LOCAL COPY\r\n");
    program.start(profile);
    EXPECT_EQ(program.wire.first(), "AUTH TLS");
    EXPECT_FALSE(program.sentLogin());
    EXPECT_TRUE(server.receivedCommands().filter(QRegularExpression("^(USER|PASS) ")).isEmpty());
    EXPECT_EQ(TestFiles::read(program.local("cfg/textes/mimosa_txt.ini")), "LOCAL COPY\r\n");
    EXPECT_TRUE(program.app->ftp().status().TlsStatus.text().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Servers, RequiredTls, ::testing::Values("", "tls-refused"),
                         [](const auto &info) { return *info.param ? "refusing_its_offer" : "without_tls"; });
