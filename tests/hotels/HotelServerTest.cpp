#include "app/HotelManager.h"
#include "common/Module1.h"
#include "support/PyftpdProcess.h"
#include "support/ScriptedOperator.h"
#include "support/Files.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QByteArray kMimosa = "BIENVENUE - WELCOME\r\nPETIT D\xC9JEUNER \xC0 9H\r\n";
const QByteArray kPins = "SOIR\xC9\x45 BARBECUE\r\n";
const QString kTextes = QStringLiteral("www/hmanager/datas/textes/");

// One program start against a real server, with the data root kept between starts.
class HotelsOnServer : public ::testing::Test {
protected:
    PyftpdProcess server;
    QTemporaryDir dataRoot;
    ScriptedOperator op;
    std::unique_ptr<App::HotelManager> app;
    QStringList wire;

    void SetUp() override
    {
        ASSERT_TRUE(server.isRunning());
        server.putFile(kTextes + "mimosa_txt.ini", kMimosa);
        server.putFile(kTextes + "les pins_txt.ini", kPins);
    }

    void start(const Common::ServerProfile &profile)
    {
        app = std::make_unique<App::HotelManager>(profile, dataRoot.path(), op);
        QObject::connect(&app->ftp(), &Ftp::FtpSession::commandSent, [this](const QString &l) { wire.append(l); });
        app->start();
    }
    void start() { start(server.profile()); }

    QStringList log() const { return app->status().all(); }
    QString textes(const QString &name) const { return dataRoot.path() + "/cfg/textes/" + name; }
    int wireCount(const QString &prefix) const
    {
        return static_cast<int>(std::count_if(wire.begin(), wire.end(),
                                              [&](const QString &l) { return l.startsWith(prefix); }));
    }
};

} // namespace

TEST_F(HotelsOnServer, StartUpDownloadsEveryPhraseFileAndSelectsTheFirstHotel)
{
    start();
    Hotels::HotelPhrases &hotels = app->hotels();
    EXPECT_EQ(hotels.lstHotel.items().size(), 2);
    EXPECT_TRUE(hotels.lstHotel.items().contains("MIMOSA"));
    EXPECT_TRUE(hotels.lstHotel.items().contains("LES PINS"));
    EXPECT_EQ(hotels.lstHotel.listIndex(), 0);
    EXPECT_EQ(TestFiles::read(textes("mimosa_txt.ini")), kMimosa);
    EXPECT_EQ(TestFiles::read(textes("les pins_txt.ini")), kPins);
    EXPECT_EQ(hotels.lblHotelName.text(), "HOTEL " + hotels.lstHotel.item(0));
    const int first = log().indexOf("Telechargement des phrases depuis le serveur ...");
    ASSERT_GE(first, 0);
    EXPECT_EQ(log().mid(first), (QStringList{"Telechargement des phrases depuis le serveur ...",
                                             "Telechargement des phrases depuis le serveur ... OK",
                                             "Synchronisation terminée"}));
    EXPECT_TRUE(op.mainEnabled);
    EXPECT_FALSE(op.progressShown);
}

// The server is the reference: a file it does not have leaves the list, and an edit never
// published gives way to the server's version; both are kept aside, byte for byte.
TEST_F(HotelsOnServer, UnpublishedEditsGiveWayToTheServerAndAreKeptAside)
{
    start();
    QDir().mkpath(dataRoot.path() + "/cfg/textes");
    Common::Module1::SaveListFile(textes("local only_txt.ini"), QStringList{"X"});
    TestFiles::write(textes("mimosa_txt.ini"), "EDITED, NEVER SENT\r\n");
    start();
    EXPECT_FALSE(QFile::exists(textes("local only_txt.ini")));
    EXPECT_FALSE(app->hotels().lstHotel.items().contains("LOCAL ONLY"));
    EXPECT_EQ(TestFiles::read(textes("mimosa_txt.ini")), kMimosa);
    const QString keptDir = dataRoot.path() + "/cfg/textes-non-publiés/";
    const QStringList kept = QDir(keptDir).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(kept.size(), 2) << kept.join(" | ").toStdString();
    EXPECT_TRUE(kept[0].startsWith("local only_txt.ini.20"));
    EXPECT_EQ(TestFiles::read(keptDir + kept[1]), "EDITED, NEVER SENT\r\n");
    EXPECT_EQ(log().filter("modifications non publiées").size(), 2);
    EXPECT_TRUE(log().contains("Hotel MIMOSA : modifications non publiées conservées dans " + keptDir + kept[1]));

    // where no copy can be written, nothing moves
    QDir(keptDir).removeRecursively();
    TestFiles::write(dataRoot.path() + "/cfg/textes-non-publiés", "a file in the way");
    TestFiles::write(textes("mimosa_txt.ini"), "EDITED AGAIN\r\n");
    start();
    EXPECT_EQ(TestFiles::read(textes("mimosa_txt.ini")), "EDITED AGAIN\r\n");
    EXPECT_EQ(log().filter("ERREUR: modifications non publiées impossibles à conserver").size(), 1);
    EXPECT_TRUE(log().filter("modifications non publiées conservées").isEmpty());
}

TEST_F(HotelsOnServer, AddedHotelIsStoredUnderItsWholeNameAndComesBackAfterARestart)
{
    start();
    op.cursorChanges.clear(); // the start-up's own hourglass
    op.inputAnswers.enqueue("Les Pins Été");
    app->phrasePublisher().addHotel();
    EXPECT_EQ(server.fileContent(kTextes + "les pins été_txt.ini"), QByteArray("BIENVENUE - WELCOME\r\n"));
    const QStringList tail = log().mid(log().size() - 4);
    EXPECT_EQ(tail, (QStringList{"Hotel: LES PINS ÉTÉ ajouté avec succès",
                                 "Hotels: votre selection a été sauvegardée avec succès",
                                 "Hotel LES PINS ÉTÉ: envoi liste des textes pour mise à jour...",
                                 "Hotel LES PINS ÉTÉ: envoi liste des textes pour mise à jour OK"}));
    EXPECT_EQ(op.cursorChanges, (QList<bool>{true, false}));

    start(); // a restart on the same data root
    const int index = app->hotels().lstHotel.items().indexOf("LES PINS ÉTÉ");
    ASSERT_GE(index, 0);
    app->hotels().lstHotel.setListIndex(index);
    EXPECT_EQ(app->hotels().lstHoteltxt.items(), QStringList{"BIENVENUE - WELCOME"});
}

// A server that announces UTF-8 but holds a name an 8-bit client wrote: the hotel shows in
// its letters, its file arrives and goes back under its own bytes, and a new hotel beside it
// is named the same way.
TEST_F(HotelsOnServer, EightBitNamesKeepTheirBytes)
{
    server.setFaults({"raw-names"});
    const QByteArray ete = "les pins \xe9t\xe9_txt.ini";
    server.putRawFile(kTextes, ete, kPins);
    start();
    Common::ListBox &hotels = app->hotels().lstHotel;
    ASSERT_TRUE(hotels.items().contains("LES PINS ÉTÉ")) << hotels.items().join(" | ").toStdString();
    EXPECT_EQ(TestFiles::read(textes("les pins été_txt.ini")), kPins);
    hotels.setListIndex(static_cast<int>(hotels.items().indexOf("LES PINS ÉTÉ")));
    EXPECT_EQ(app->hotels().lstHoteltxt.items(), QStringList{"SOIRÉE BARBECUE"});
    EXPECT_TRUE(log().filter("ERREUR").isEmpty()) << log().join(" | ").toStdString();

    TestFiles::write(textes("les pins été_txt.ini"), "EDITED\r\n");
    app->phrasePublisher().publishAll();
    EXPECT_EQ(server.rawFileContent(kTextes, ete), "EDITED\r\n");
    const QList<QByteArray> before{ete, "les pins_txt.ini", "mimosa_txt.ini"};
    EXPECT_EQ(server.rawNames(kTextes), before);

    op.inputAnswers.enqueue("Été");
    app->phrasePublisher().addHotel();
    EXPECT_EQ(server.rawNames(kTextes), QList<QByteArray>(before) << "\xe9t\xe9_txt.ini");

    // a start while the server is away learns no spelling: the guard's questions still go in
    // the listed bytes, and the hotel is not taken for removed
    Common::ServerProfile away = server.profile();
    away.port = 1;
    start(away);
    app->ftp().setProfile(server.profile());
    TestFiles::write(textes("les pins été_txt.ini"), "OFFLINE EDIT\r\n");
    app->hotels().lstHotel.setListIndex(static_cast<int>(app->hotels().lstHotel.items().indexOf("LES PINS ÉTÉ")));
    app->phrasePublisher().MAJ_Hoteltxt(app->hotels().lstHotel, 1);
    EXPECT_TRUE(op.messages.isEmpty()) << op.messages.last().text.toStdString();
    EXPECT_EQ(server.rawFileContent(kTextes, ete), "OFFLINE EDIT\r\n");

    // both spellings of one name: one hotel, and the other spelling said in the log
    server.putFile(kTextes + "les pins été_txt.ini", "UTF-8 TWIN\r\n");
    start();
    EXPECT_EQ(app->hotels().lstHotel.items().count("LES PINS ÉTÉ"), 1);
    EXPECT_EQ(log().filter(QRegularExpression("^Hotel LES PINS ÉTÉ : le serveur a aussi ce fichier sous une autre "
                                              "écriture \\((UTF-8 les pins %C3%A9t%C3%A9_txt.ini|Windows-1252 les "
                                              "pins %E9t%E9_txt.ini)\\), laissée telle quelle$"))
                  .size(),
              1)
        << log().join(" | ").toStdString();
}

// The start-up leaves no staging folder behind, its own or one of a start that was stopped,
// and the phrase folder and its files keep the modes they had, for the data root's other users.
TEST_F(HotelsOnServer, StartUpLeavesNoStagingAndKeepsModes)
{
    TestFiles::write(dataRoot.path() + "/cfg/.textes-stopped/mimosa_txt.ini", "HALF");
    TestFiles::write(textes("mimosa_txt.ini"), "OLD COPY\r\n");
    const auto mode = [](const QString &path) {
        struct stat status {};
        return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 0777 : 0u;
    };
    ::chmod(QFile::encodeName(textes("mimosa_txt.ini")).constData(), 0660);
    ::chmod(QFile::encodeName(textes("")).constData(), 02770);
    start();
    EXPECT_EQ(QDir(dataRoot.path() + "/cfg").entryList({".textes*"}, QDir::Dirs | QDir::Hidden), QStringList{});
    EXPECT_EQ(TestFiles::read(textes("mimosa_txt.ini")), kMimosa);
    EXPECT_EQ(mode(textes("mimosa_txt.ini")), 0660u);
    EXPECT_EQ(mode(textes("")), 0770u);
}

TEST_F(HotelsOnServer, PublishAllOverFourHotelsStepsTheBarPerHotel)
{
    server.putFile(kTextes + "a_txt.ini", "A\r\n");
    server.putFile(kTextes + "b_txt.ini", "B\r\n");
    start();
    ASSERT_EQ(app->hotels().lstHotel.count(), 4);
    QList<float> startValues;
    QList<float> maxima;
    QObject::connect(&app->form3(), &Common::ProgressWindow::barChanged, [&] {
        if (app->form3().max() == 4 && (startValues.isEmpty() || startValues.last() != app->form3().value()))
            startValues.append(app->form3().value());
        maxima.append(app->form3().max());
    });
    wire.clear();
    app->phrasePublisher().publishAll();
    EXPECT_EQ(startValues, (QList<float>{0, 1, 2, 3, 4}));
    EXPECT_EQ(wireCount("QUIT"), 1); // one connection for the whole action
    EXPECT_EQ(wireCount("STOR "), 4);
    EXPECT_EQ(app->hotels().lstHotel.listIndex(), 3);
    EXPECT_EQ(log().filter(" OK").size(), 5); // the download line and four hotels
}

// The browser left the connection in another folder: the publication still starts from the
// login folder, on that same connection.
TEST_F(HotelsOnServer, PublishingFromAConnectionLeftElsewhereStartsAtTheLoginFolder)
{
    start();
    app->ftp().connectFTP();
    app->ftp().GetDir("www");
    ASSERT_EQ(app->browser().remote().Text2.text(), "/www");
    app->hotels().lstHotel.setListIndex(0);
    wire.clear();
    app->phrasePublisher().publishSelected();
    const QString hotel = app->hotels().lstHotel.item(0);
    EXPECT_TRUE(log().contains("Hotel " + hotel + ": envoi liste des textes pour mise à jour OK"));
    EXPECT_EQ(wireCount("USER "), 0);
    EXPECT_EQ(wireCount("CWD /"), 1);
}

TEST_F(HotelsOnServer, FailedFolderChangeSendsNoFileAndSaysSo)
{
    start();
    QDir(server.path("www/hmanager/datas/textes")).removeRecursively();
    app->hotels().lstHotel.setListIndex(0);
    wire.clear();
    app->phrasePublisher().publishSelected();
    const QString hotel = app->hotels().lstHotel.item(0);
    EXPECT_TRUE(log().contains("Hotel " + hotel + ": * * * ERREUR DE MISE A JOUR VEUILLEZ RECOMMENCER * * *"));
    EXPECT_FALSE(log().contains("Hotel " + hotel + ": envoi liste des textes pour mise à jour OK"));
    EXPECT_EQ(wireCount("STOR "), 0);
    EXPECT_EQ(wireCount("QUIT"), 1);
    EXPECT_TRUE(op.mainEnabled);
    EXPECT_FALSE(op.progressShown);
    EXPECT_FALSE(QFile::exists(server.path("www/hmanager/datas/mimosa_txt.ini")));

    // the connection gone right after the walk: the next command logs in anew, in the login
    // folder, where nothing is judged nor sent
    server.putFile(kTextes + "mimosa_txt.ini", kMimosa);
    start();
    bool dropped = false;
    QObject::connect(&app->ftp(), &Ftp::FtpSession::commandDone, [&](const Ftp::FtpOutcome &outcome) {
        if (!dropped && outcome.command.verb() == Ftp::FtpCommand::Verb::Cd) {
            dropped = true;
            app->ftp().cancel();
        }
    });
    app->hotels().lstHotel.setListIndex(static_cast<int>(app->hotels().lstHotel.items().indexOf("MIMOSA")));
    app->phrasePublisher().publishSelected();
    EXPECT_TRUE(dropped);
    EXPECT_TRUE(log().contains("Hotel MIMOSA: * * * ERREUR DE MISE A JOUR VEUILLEZ RECOMMENCER * * *"));
    EXPECT_TRUE(op.messages.isEmpty());
    EXPECT_EQ(QDir(server.root()).entryList(QDir::Files), QStringList{});
}

TEST_F(HotelsOnServer, RemovalDeletesOnTheServerOnlyAfterConfirmation)
{
    start();
    const int pins = app->hotels().lstHotel.items().indexOf("LES PINS");
    app->hotels().lstHotel.setListIndex(pins);
    op.messageAnswers.enqueue(Common::OperatorUi::Answer::Cancel);
    wire.clear();
    app->phrasePublisher().removeSelected();
    EXPECT_TRUE(wire.isEmpty());
    EXPECT_EQ(app->hotels().lstHotel.count(), 2);

    app->phrasePublisher().removeSelected();
    EXPECT_TRUE(wire.contains("DELE les pins_txt.ini"));
    EXPECT_FALSE(QFile::exists(server.path(kTextes + "les pins_txt.ini")));
    EXPECT_EQ(log().last(), "LES PINS: supprimé");
    EXPECT_EQ(app->hotels().lstHotel.items(), QStringList{"MIMOSA"});
    EXPECT_EQ(app->hotels().lstHotel.listIndex(), -1);
    EXPECT_EQ(op.messages.last().text, "Etes-vous sur de vouloir effacer votre selection ?");
}

TEST_F(HotelsOnServer, RefusedDeletionKeepsTheHotelListed)
{
    start();
    QFile::remove(server.path(kTextes + "mimosa_txt.ini"));
    app->hotels().lstHotel.setListIndex(app->hotels().lstHotel.items().indexOf("MIMOSA"));
    app->phrasePublisher().removeSelected();
    EXPECT_TRUE(app->hotels().lstHotel.items().contains("MIMOSA"));
    EXPECT_FALSE(log().contains("MIMOSA: supprimé"));
    EXPECT_TRUE(log().last().contains("ERREUR"));
}

TEST(HotelsOffline, UnreachableServerKeepsTheLocalCopiesAndListsThem)
{
    QTemporaryDir dataRoot;
    QDir().mkpath(dataRoot.path() + "/cfg/textes");
    Common::Module1::SaveListFile(dataRoot.path() + "/cfg/textes/mimosa_txt.ini", QStringList{"KEEP ME"});
    ScriptedOperator op;
    App::HotelManager app(Common::ServerProfile{"127.0.0.1", 1, "pendric", "12345678"}, dataRoot.path(), op);
    app.start();
    EXPECT_EQ(app.hotels().lstHotel.items(), QStringList{"MIMOSA"});
    EXPECT_EQ(app.hotels().lstHoteltxt.items(), QStringList{"KEEP ME"});
    EXPECT_TRUE(app.status().all().contains("Serveur injoignable: les copies locales des phrases sont affichées"));
    EXPECT_FALSE(app.status().all().contains("Telechargement des phrases depuis le serveur ... OK"));
    EXPECT_EQ(app.status().all().last(), "Synchronisation terminée");
    EXPECT_TRUE(op.mainEnabled);
}

TEST(HotelsOffline, FailedDownloadsKeepTheirLocalCopyAndAreCounted)
{
    PyftpdProcess server(PyftpdProcess::Options{true, {"refuse:RETR"}, 0});
    server.putFile(kTextes + "mimosa_txt.ini", "NEW\r\n");
    QTemporaryDir dataRoot;
    QDir().mkpath(dataRoot.path() + "/cfg/textes");
    Common::Module1::SaveListFile(dataRoot.path() + "/cfg/textes/mimosa_txt.ini", QStringList{"OLD"});
    ScriptedOperator op;
    App::HotelManager app(server.profile(), dataRoot.path(), op);
    app.start();
    EXPECT_EQ(TestFiles::read(dataRoot.path() + "/cfg/textes/mimosa_txt.ini"), QByteArray("OLD\r\n"));
    EXPECT_TRUE(app.status().all().filter("1 fichier(s) sur 1 non reçu(s)").size() == 1);
    EXPECT_FALSE(app.status().all().contains("Telechargement des phrases depuis le serveur ... OK"));
    EXPECT_EQ(app.hotels().lstHotel.items(), QStringList{"MIMOSA"});
}

// On the operator's link every round trip costs: the files come over several connections
// at once, each file costs its EPSV and RETR, and the folder is listed once at the end, not
// after each file.
TEST(HotelsOnALateServer, StartUpSharesTheFilesAndListsOnce)
{
    PyftpdProcess::Options late;
    late.latencyMs = 20;
    PyftpdProcess server(late);
    for (int i = 0; i < 20; ++i)
        server.putFile(kTextes + QStringLiteral("hotel%1_txt.ini").arg(i, 2, 10, QLatin1Char('0')), "BIENVENUE\r\n");
    QTemporaryDir dataRoot;
    ScriptedOperator op;
    // The last start's copies: as many connections log in ahead as they need.
    QDir().mkpath(dataRoot.filePath("cfg/textes"));
    for (int i = 0; i < 20; ++i)
        TestFiles::write(dataRoot.filePath(QStringLiteral("cfg/textes/hotel%1_txt.ini").arg(i)), "OLD\r\n");
    App::HotelManager app(server.profile(), dataRoot.path(), op);
    app.start();
    ASSERT_EQ(app.hotels().lstHotel.count(), 20);
    EXPECT_EQ(TestFiles::read(dataRoot.filePath("cfg/textes/hotel07_txt.ini")), "BIENVENUE\r\n");
    const QStringList received = server.receivedCommands();
    EXPECT_EQ(received.filter(QRegularExpression("^RETR ")).size(), 20);
    EXPECT_EQ(received.filter(QRegularExpression("^SIZE ")).size(), 0);
    EXPECT_EQ(received.filter(QRegularExpression("^USER ")).size(), 1 + 5) << "one connection per four files";
    EXPECT_GE(received.filter(QRegularExpression("^QUIT")).size(), 5) << "every helper says goodbye";
    // the phrase folder before the files and after them; the login folder's listing is never read
    EXPECT_EQ(received.filter(QRegularExpression("^(MLSD|LIST)")).size(), 2) << received.join(" | ").toStdString();
    EXPECT_EQ(app.browser().remote().Text2.text(), "/www/hmanager/datas/textes");
    EXPECT_EQ(app.browser().remote().List1.count(), 20);
    // The walk goes along with the login, here and on each helper: the folder is listed two
    // round trips after the login, and a helper fetches on the one after its login.
    const auto afterLogin = [](const QList<QStringList> &trips, qsizetype next) {
        const auto login = std::find_if(trips.begin(), trips.end(), [](const QStringList &t) {
            return !t.filter(QRegularExpression("^USER ")).isEmpty();
        });
        return login - trips.begin() + next < trips.size() ? trips[login - trips.begin() + next] : QStringList();
    };
    EXPECT_TRUE(afterLogin(server.roundTrips(), 0).contains("CWD textes"));
    EXPECT_TRUE(afterLogin(server.roundTrips(), 2).contains("MLSD"));
    EXPECT_TRUE(afterLogin(server.roundTrips(2), 0).contains("CWD /www/hmanager/datas/textes"));
    EXPECT_TRUE(afterLogin(server.roundTrips(2), 1).contains("EPSV"));
}

// A server that lists with LIST alone (sizes, no exact times) gets MDTM for the files the last
// start knew in the listing's own flight: a second start with nothing changed fetches nothing
// and costs no round trip of its own for them.
TEST(HotelsOnALateServer, ASecondStartOnAListOnlyServerAsksItsFactsWithTheListing)
{
    PyftpdProcess::Options late;
    late.latencyMs = 20;
    late.mlsd = false;
    PyftpdProcess server(late);
    for (const char *name : {"mimosa_txt.ini", "les pins_txt.ini"})
        server.putFile(kTextes + name, kMimosa);
    QTemporaryDir dataRoot;
    ScriptedOperator op;
    App::HotelManager(server.profile(), dataRoot.path(), op).start();
    const qsizetype before = server.receivedCommands().size();
    App::HotelManager again(server.profile(), dataRoot.path(), op);
    again.start();
    EXPECT_TRUE(server.receivedCommands().mid(before).filter(QRegularExpression("^RETR ")).isEmpty());
    EXPECT_EQ(again.hotels().lstHotel.count(), 2);
    bool along = false;
    for (int connection = 1; connection <= 4; ++connection)
        for (const QStringList &trip : server.roundTrips(connection))
            along = along || (trip.contains("EPSV") && trip.contains("MDTM mimosa_txt.ini") && trip.contains("MDTM les pins_txt.ini"));
    EXPECT_TRUE(along);
}

// A server that takes one login at a time still delivers every file, over the one it takes.
TEST(HotelsOnARestrictedServer, StartUpWithOneLoginAllowedGetsEveryFile)
{
    PyftpdProcess::Options single;
    single.maxLogins = 1;
    PyftpdProcess server(single);
    for (int i = 0; i < 12; ++i)
        server.putFile(kTextes + QStringLiteral("hotel%1_txt.ini").arg(i), "X\r\n");
    QTemporaryDir dataRoot;
    ScriptedOperator op;
    App::HotelManager app(server.profile(), dataRoot.path(), op);
    app.start();
    EXPECT_EQ(app.hotels().lstHotel.count(), 12);
    EXPECT_EQ(QDir(dataRoot.filePath("cfg/textes")).entryList(QDir::Files).size(), 12);
    EXPECT_TRUE(app.status().all().contains("Telechargement des phrases depuis le serveur ... OK"));
}

// The program's own connection never waits for its helpers, and what a helper is given it
// keeps: a slow login holds no file up, a folder named with a last "/" keeps the helpers
// logged in for it, and a file cut off on a helper resumes from its bytes.
TEST(HelperConnections, NeitherHoldUpNorLoseAFile)
{
    const QByteArray big(200 * 1024, 'A');
    const auto startUp = [&](const QStringList &faults, int hotels) {
        PyftpdProcess::Options options;
        options.faults = faults;
        PyftpdProcess server(options);
        QTemporaryDir dataRoot;
        QDir().mkpath(dataRoot.filePath("cfg/textes"));
        for (int i = 0; i < hotels; ++i) {
            const QString name = QStringLiteral("hotel%1_txt.ini").arg(i, 2, 10, QLatin1Char('0'));
            server.putFile(kTextes + name, i == 5 ? big : "BIENVENUE\r\n");
            if (hotels > 2) // the last start's copies: helpers log in while the folder is listed
                TestFiles::write(dataRoot.filePath("cfg/textes/" + name), "OLD\r\n");
        }
        ScriptedOperator op;
        App::HotelManager app(server.profile(), dataRoot.path(), op);
        app.start();
        EXPECT_TRUE(app.status().all().contains("Telechargement des phrases depuis le serveur ... OK"))
            << faults.join(' ').toStdString() << ": " << app.status().all().join(" | ").toStdString();
        if (hotels > 5) {
            EXPECT_EQ(TestFiles::read(dataRoot.filePath("cfg/textes/hotel05_txt.ini")), big);
        }
        return server.receivedCommands();
    };
    const auto count = [](const QStringList &received, const QString &pattern) {
        return received.filter(QRegularExpression(pattern)).size();
    };

    EXPECT_EQ(count(startUp({"slow-login:1500"}, 2), "^USER "), 1) << "two files wait for no helper";
    EXPECT_EQ(count(startUp({"pwd-slash"}, 12), "^USER "), 1 + 3) << "the prepared helpers fetch";
    const QStringList cut = startUp({"cut-retr:hotel05_txt.ini"}, 12);
    EXPECT_EQ(count(cut, "^RETR hotel05_txt.ini"), 2) << cut.join(" | ").toStdString();
    EXPECT_EQ(count(cut, "^REST 102400"), 1) << "taken up from its bytes, wherever it was cut";
}

// The server stays the reference: a second start keeps the copies of files it did not change,
// and fetches one that changed there or was changed here.
TEST_F(HotelsOnServer, SecondStartFetchesOnlyWhatChanged)
{
    start();
    const QString pins = textes("les pins_txt.ini");
    wire.clear();
    start();
    EXPECT_EQ(wireCount("RETR "), 0) << wire.join(" | ").toStdString();
    EXPECT_EQ(TestFiles::read(textes("mimosa_txt.ini")), kMimosa);
    EXPECT_EQ(TestFiles::read(pins), kPins);
    EXPECT_EQ(app->hotels().lstHotel.count(), 2);

    server.putFile(kTextes + "mimosa_txt.ini", "CHANGED ON THE SERVER\r\n");
    TestFiles::write(pins, "CHANGED HERE\r\n");
    wire.clear();
    start();
    EXPECT_EQ(wireCount("RETR "), 2);
    EXPECT_EQ(TestFiles::read(textes("mimosa_txt.ini")), "CHANGED ON THE SERVER\r\n");
    EXPECT_EQ(TestFiles::read(pins), kPins);

    // a colleague's change of one digit keeps the size: the time tells it
    server.putFile(kTextes + "mimosa_txt.ini", "CHANGED ON THE SERVEr\r\n");
    QFile changed(server.path(kTextes + "mimosa_txt.ini"));
    ASSERT_TRUE(changed.open(QIODevice::ReadWrite)
                && changed.setFileTime(QDateTime::currentDateTimeUtc().addSecs(120), QFileDevice::FileModificationTime));
    wire.clear();
    start();
    EXPECT_EQ(wireCount("RETR "), 1);
    EXPECT_EQ(TestFiles::read(textes("mimosa_txt.ini")), "CHANGED ON THE SERVEr\r\n");
}

namespace {

using Answer = Common::OperatorUi::Answer;

// One workstation of several on the same server: a data root and a program of its own.
struct Workstation {
    explicit Workstation(const PyftpdProcess &server) : app(server.profile(), data.path(), op) {}
    Workstation(const Common::ServerProfile &profile, const QString &root) : app(profile, root, op) {}

    void select(const QString &hotel)
    {
        app.hotels().lstHotel.setListIndex(static_cast<int>(app.hotels().lstHotel.items().indexOf(hotel)));
    }
    void edit(const QString &file, const QByteArray &content) { TestFiles::write(data.filePath("cfg/textes/" + file), content); }
    // The hotel's phrases changed here and published.
    void publish(const QString &hotel, const QByteArray &content)
    {
        edit(hotel.toLower() + "_txt.ini", content);
        select(hotel);
        app.phrasePublisher().publishSelected();
    }
    QStringList asked() const
    {
        QStringList texts;
        for (const auto &message : op.messages)
            texts.append(message.text);
        return texts;
    }
    QStringList log() { return app.status().all(); }

    QTemporaryDir data;
    ScriptedOperator op;
    App::HotelManager app;
};

} // namespace

// Both kinds of server a host may run: one that lists with MLSD's exact facts, and one
// that lists with LIST alone (no seconds, no zone), whose facts come from SIZE and MDTM.
class TwoWorkstations : public ::testing::TestWithParam<bool> {
protected:
    static PyftpdProcess::Options listing(bool mlsd)
    {
        PyftpdProcess::Options options;
        options.mlsd = mlsd;
        return options;
    }
    PyftpdProcess server{listing(GetParam())};

    void SetUp() override
    {
        server.putFile(kTextes + "mimosa_txt.ini", kMimosa);
        server.putFile(kTextes + "les pins_txt.ini", kPins);
    }

    // A colleague's version written straight onto the server, a while after ours.
    void colleagueWrites(const QString &file, const QByteArray &content, qint64 later = 120)
    {
        server.putFile(kTextes + file, content);
        QFile changed(server.path(kTextes + file));
        ASSERT_TRUE(changed.open(QIODevice::ReadWrite)
                    && changed.setFileTime(QDateTime::currentDateTimeUtc().addSecs(later),
                                           QFileDevice::FileModificationTime));
    }
};

INSTANTIATE_TEST_SUITE_P(Listings, TwoWorkstations, ::testing::Bool(),
                         [](const auto &info) { return info.param ? "Mlsd" : "ListOnly"; });

// A publication never overwrites a version it has not seen without asking: No keeps the
// colleague's bytes (and publish-all goes on with the next hotel), Yes writes ours. A hotel
// the colleague removed is not brought back on No, one the colleague changed to a text of the
// same length is asked about too, and one the colleague added is not overwritten by a hotel
// of the same name added here, nor left listed here.
TEST_P(TwoWorkstations, PublishingAsksBeforeReplacingAVersionNotSeen)
{
    server.putFile(kTextes + "belle vue_txt.ini", "VUE\r\n");
    server.putFile(kTextes + "cap_txt.ini", "CAP\r\n");
    Workstation a(server), b(server);
    a.app.start();
    b.app.start();
    b.publish("MIMOSA", "B WAS HERE\r\n");
    b.select("LES PINS");
    b.app.phrasePublisher().removeSelected();
    b.op.inputAnswers.enqueue("Ocean");
    b.app.phrasePublisher().addHotel();
    ASSERT_TRUE(b.asked().filter("modifiée").isEmpty()) << b.asked().join(" | ").toStdString();
    colleagueWrites("cap_txt.ini", "CaP\r\n");

    a.edit("mimosa_txt.ini", "A EDIT\r\n");
    a.edit("belle vue_txt.ini", "A VUE\r\n");
    a.edit("cap_txt.ini", "A CAP\r\n");
    a.op.messageAnswers << Answer::Cancel << Answer::Cancel << Answer::Cancel;
    a.app.phrasePublisher().publishAll();
    EXPECT_EQ(server.fileContent(kTextes + "mimosa_txt.ini"), "B WAS HERE\r\n");
    EXPECT_FALSE(QFile::exists(server.path(kTextes + "les pins_txt.ini")));
    EXPECT_EQ(server.fileContent(kTextes + "belle vue_txt.ini"), "A VUE\r\n");
    EXPECT_EQ(server.fileContent(kTextes + "cap_txt.ini"), "CaP\r\n");
    ASSERT_EQ(a.asked().size(), 3) << a.asked().join(" | ").toStdString();
    const QStringList modified = a.asked().filter("la version du serveur a été modifiée le ");
    ASSERT_EQ(modified.size(), 2);
    EXPECT_TRUE(modified.filter(QRegularExpression("^Hotel (MIMOSA|CAP) : ")).size() == 2);
    EXPECT_TRUE(modified[0].endsWith(", après votre dernier téléchargement. Remplacer la version du serveur ?"));
    EXPECT_TRUE(a.asked().contains("Hotel LES PINS a été supprimé du serveur après votre dernier téléchargement. "
                                   "Le publier à nouveau ?"));
    EXPECT_TRUE(a.log().contains("Hotel MIMOSA : non envoyé, la version du serveur est conservée"));
    EXPECT_TRUE(a.log().contains("Hotel LES PINS : non envoyé, supprimé du serveur"));
    EXPECT_TRUE(a.log().contains("Hotel BELLE VUE: envoi liste des textes pour mise à jour OK"));

    a.op.messageAnswers << Answer::Cancel;
    a.op.inputAnswers.enqueue("Ocean");
    a.app.phrasePublisher().addHotel();
    EXPECT_EQ(server.fileContent(kTextes + "ocean_txt.ini"), "BIENVENUE - WELCOME\r\n");
    EXPECT_TRUE(a.asked().last().startsWith("Hotel OCEAN : la version du serveur a été modifiée le "));
    EXPECT_FALSE(a.app.hotels().lstHotel.items().contains("OCEAN"));
    EXPECT_FALSE(QFile::exists(a.data.filePath("cfg/textes/ocean_txt.ini")));

    a.op.messageAnswers << Answer::Ok;
    a.select("MIMOSA");
    a.app.phrasePublisher().publishSelected();
    EXPECT_EQ(server.fileContent(kTextes + "mimosa_txt.ini"), "A EDIT\r\n");
    a.app.phrasePublisher().publishSelected(); // its own version now: not asked again
    EXPECT_EQ(a.asked().size(), 5);
}

// Each hotel of a publish-all is judged by what the server says in its own step: a
// colleague's publication made while the first hotel goes is asked about.
TEST_P(TwoWorkstations, PublishAllAsksAboutAColleaguesPublicationMadeMeanwhile)
{
    Workstation a(server);
    a.app.start();
    const QString last = a.app.hotels().lstHotel.items().last().toLower() + "_txt.ini";
    bool struck = false;
    QObject::connect(&a.app.ftp(), &Ftp::FtpSession::commandSent, [&](const QString &line) {
        if (!struck && line.startsWith("RNTO "))
            struck = true, server.putFile(kTextes + last, "A COLLEAGUE'S NEW TEXT\r\n");
    });
    a.op.messageAnswers << Answer::Cancel;
    a.app.phrasePublisher().publishAll();
    EXPECT_EQ(server.fileContent(kTextes + last), "A COLLEAGUE'S NEW TEXT\r\n");
    EXPECT_EQ(a.asked().size(), 1);
}

// What a start could not fetch is still remembered: the stale hotel asks before it goes. A
// start with nothing edited here (phrases saved unchanged are no edit) keeps no copy of a
// colleague's change, nor of a hotel removed here, as unpublished.
TEST_P(TwoWorkstations, AStaleHotelAsksAndAColleaguesChangeIsNoUnpublishedEdit)
{
    Workstation first(server), b(server);
    first.app.start();
    b.app.start();
    b.publish("MIMOSA", "B WAS HERE\r\n");

    server.setFaults({"refuse:RETR"});
    Workstation a(server.profile(), first.data.path());
    a.app.start();
    ASSERT_EQ(a.log().filter("non reçu(s)").size(), 1);
    server.setFaults({});
    a.op.messageAnswers << Answer::Cancel;
    a.select("MIMOSA");
    a.app.phrasePublisher().publishSelected(); // saves the phrases first, unchanged
    EXPECT_EQ(server.fileContent(kTextes + "mimosa_txt.ini"), "B WAS HERE\r\n");
    ASSERT_EQ(a.asked().size(), 1);
    EXPECT_TRUE(a.asked()[0].startsWith("Hotel MIMOSA : la version du serveur a été modifiée le "));

    a.op.messageAnswers << Answer::Ok; // the usual confirmation
    a.select("LES PINS");
    a.app.phrasePublisher().removeSelected();
    ASSERT_FALSE(QFile::exists(server.path(kTextes + "les pins_txt.ini")));

    Workstation next(server.profile(), first.data.path());
    next.app.start();
    EXPECT_EQ(TestFiles::read(first.data.filePath("cfg/textes/mimosa_txt.ini")), "B WAS HERE\r\n");
    EXPECT_TRUE(next.log().filter("non publiées").isEmpty()) << next.log().join(" | ").toStdString();
}

// The browser's changes in the phrase folder ask as a publication does, and are remembered:
// a file put there by hand is this workstation's version, a file deleted by hand no
// unpublished edit at the next start.
TEST_P(TwoWorkstations, TheBrowserAsksInThePhraseFolderAndIsRemembered)
{
    Workstation a(server);
    a.app.start();
    colleagueWrites("mimosa_txt.ini", "B WAS HERE\r\n");
    Browser::FtpBrowser &browser = a.app.browser();
    ASSERT_TRUE(a.app.ftp().GetDir(kTextes).ok);
    const auto select = [&](const QString &entry) {
        browser.remote().List1.setListIndex(static_cast<int>(browser.remote().List1.items().indexOf(entry)));
    };
    select("mimosa_txt.ini");
    a.op.messageAnswers << Answer::Cancel;
    browser.deleteRemoteEntry();
    EXPECT_EQ(server.fileContent(kTextes + "mimosa_txt.ini"), "B WAS HERE\r\n");
    ASSERT_EQ(a.asked().size(), 1);

    QTemporaryDir local;
    TestFiles::write(local.filePath("mimosa_txt.ini"), "BY HAND\r\n");
    browser.local().setPath(local.path());
    browser.local().List2.setListIndex(static_cast<int>(browser.local().List2.items().indexOf("mimosa_txt.ini")));
    a.op.messageAnswers << Answer::Ok;
    browser.openLocalEntry();
    EXPECT_EQ(server.fileContent(kTextes + "mimosa_txt.ini"), "BY HAND\r\n");
    select("les pins_txt.ini");
    browser.deleteRemoteEntry(); // seen at the start, unchanged since: not asked
    EXPECT_EQ(a.asked().size(), 2);

    a.select("MIMOSA");
    a.app.phrasePublisher().publishSelected(); // over the version put by hand here: not asked
    EXPECT_EQ(a.asked().size(), 2) << a.asked().join(" | ").toStdString();
    Workstation next(server.profile(), a.data.path());
    next.app.start();
    EXPECT_TRUE(next.log().filter("non publiées").isEmpty()) << next.log().join(" | ").toStdString();
}

// A removal asks too, and a start made while the server could not be reached brings no
// stale copy back over a colleague's version once the server is back.
TEST_P(TwoWorkstations, RemovalAndAnOfflineStartAskFirst)
{
    Workstation first(server), b(server);
    first.app.start();
    Common::ServerProfile away = server.profile();
    away.port = 1;
    Workstation a(away, first.data.path()); // the next start, with the server out of reach
    a.app.start();
    ASSERT_EQ(a.app.hotels().lstHotel.count(), 2);
    a.app.ftp().setProfile(server.profile());
    b.app.start();
    b.publish("LES PINS", "B PINS\r\n");

    a.op.messageAnswers << Answer::Ok << Answer::Cancel; // the usual confirmation, then No
    a.select("LES PINS");
    a.app.phrasePublisher().removeSelected();
    EXPECT_EQ(server.fileContent(kTextes + "les pins_txt.ini"), "B PINS\r\n");
    EXPECT_TRUE(a.log().contains("Hotel LES PINS : non supprimé, la version du serveur est conservée"));
    EXPECT_TRUE(a.app.hotels().lstHotel.items().contains("LES PINS"));

    a.op.messageAnswers << Answer::Cancel;
    a.app.phrasePublisher().publishAll();
    EXPECT_EQ(server.fileContent(kTextes + "les pins_txt.ini"), "B PINS\r\n");
    EXPECT_EQ(server.fileContent(kTextes + "mimosa_txt.ini"), kMimosa);
    EXPECT_EQ(a.asked().size(), 3);
}
