#include "app/HotelManager.h"
#include "reliability/Snapshot.h"
#include "reliability/Watchdog.h"
#include "support/PyftpdProcess.h"
#include "support/ScriptedOperator.h"
#include "videos/Category.h"
#include "support/Files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString kTextes = QStringLiteral("www/hmanager/datas/textes/");
const QString kVideos = QStringLiteral("www/hmanager/datas/videos/");
const QString kSales = QStringLiteral("www/clients/tolmi/pub2/ventes_celane_real_estate");
const Ftp::FtpTimeouts kShort{1000, 1000, 500, 50};
// The program's own working files, not the operator's: what a download last saw of the
// server differs in its times from one run to the next, and so do the names of the copies of
// unpublished edits.
const QStringList kNotOperatorData = {QStringLiteral("temp"), QStringLiteral("cfg/textes.facts"),
                                      QStringLiteral("cfg/textes-non-publiés")};
// A sanitizer build runs data-heavy cells (an endless listing) several times slower.
constexpr int kSlowBuild = HM_SLOW_BUILD_FACTOR;
constexpr int kHangMs = 90000 * kSlowBuild; // the watchdog's limit for one cell
// The longest an operation may take: a few timeouts in a row, for each of six files tried
// four times.
constexpr int kPromptMs = 45000 * kSlowBuild;

struct Fault {
    QString name;
    QStringList modes;
    bool unreachable = false;
    bool operatorRefuses = false; // Cancel to every question, a certificate among them
    bool recovers = false;        // the operation must end as on the sound server
};

// "none" first: what an operation does on a sound server is what its other
// cells are measured against.
const QList<Fault> kFaults = {
    {"none", {}},
    {"unreachable", {}, true},
    {"login refused", {"refuse:PASS:530"}},
    {"CWD refused", {"refuse:CWD"}},
    {"STOR refused", {"refuse:STOR"}},
    {"RETR refused", {"refuse:RETR"}},
    {"DELE refused", {"refuse:DELE"}},
    {"RNFR refused", {"refuse:RNFR"}},
    {"RNTO refused", {"refuse:RNTO"}},
    {"MKD refused", {"refuse:MKD"}},
    {"drop before data", {"drop:STOR", "drop:RETR", "drop:MLSD", "drop:DELE", "drop:RNFR", "drop:MKD"}},
    {"drop every time", {"drop-stor-start", "drop-retr"}},
    {"drop once", {"drop-once"}, false, false, true},
    {"drop once, no REST", {"drop-once", "no-rest"}, false, false, true},
    {"drop after data", {"drop-after-data"}},
    {"data stalls", {"stall-stor", "stall-retr"}},
    {"452 in STOR", {"full-stor:452"}},
    {"552 in STOR", {"full-stor:552"}},
    {"STOR kept short", {"short-stor"}},
    {"endless reply", {"endless:STOR", "endless:RETR", "endless:DELE", "endless:RNFR", "endless:MKD", "endless:MLSD"}},
    {"endless listing", {"endless-list"}},
    {"garbage reply", {"garbage:STOR", "garbage:RETR", "garbage:DELE", "garbage:RNFR", "garbage:MKD", "garbage:MLSD"}},
};

// What only an encrypted connection can get wrong; the client requires TLS.
const QList<Fault> kTlsFaults = {
    {"TLS handshake hangs", {"tls-stall-handshake"}},
    {"TLS dropped in handshake", {"tls-drop-handshake"}},
    {"TLS handshake in clear", {"tls-garbage-handshake"}},
    {"AUTH TLS refused", {"refuse:AUTH:534"}},
    {"TLS not offered", {"refuse:AUTH:502"}},
    {"PROT P refused", {"refuse:PROT:536"}},
    {"data in clear", {"tls-plain-data"}},
    {"certificate replaced", {"tls-rogue"}, false, true},
};

// How an operation tells the operator that something failed.
enum class Shows { Log, SalesLog, Listing };

class Cell;

// What runs before the operation: the whole start-up when it needs the hotels,
// else only the working folders.
enum class Before { StartUp, Folders, Nothing };

struct Operation {
    QString name;
    Shows shows;
    std::function<void(Cell &)> prepare; // on the sound server, before the fault
    std::function<void(Cell &)> run;
    Before before = Before::Folders;
};

// What a cell left behind.
struct Outcome {
    Snapshot server;
    Snapshot local;
    int okLines = 0;
};

quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort(); // free again once the probe goes
}

int countOk(const QStringList &lines)
{
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [](const QString &line) {
        return line.endsWith(QLatin1String(" OK")) || line.endsWith(QLatin1String(": supprimé"));
    }));
}

bool showsError(Shows shows, const QStringList &lines)
{
    return std::any_of(lines.begin(), lines.end(), [shows](const QString &line) {
        if (shows == Shows::SalesLog)
            return line.startsWith(QLatin1String("Vente "));
        return line.contains(QLatin1String("ERREUR")) || line.contains(QLatin1String("injoignable"));
    });
}

// One operation against one fault: a fresh server tree, data root and program.
class Cell {
public:
    // The data root is the same path in every cell: category files hold paths.
    Cell(PyftpdProcess &server, const QString &dataRoot, const Operation &operation, const Fault &fault)
        : server_(server), data_(dataRoot), operation_(operation), fault_(fault)
    {
        server_.setFaults({});
        QDir(data_).removeRecursively();
        QDir().mkpath(data_);
        seedServer();
        seedLocal();
    }

    // Plays the cell; what it broke, if anything, goes to `broke`.
    Outcome play(const Outcome *sound, QStringList &broke);

    App::HotelManager &app() { return *app_; }
    ScriptedOperator &op() { return op_; }
    QString local(const QString &relative) const { return data_ + '/' + relative; }
    void writeLocal(const QString &relative, const QByteArray &content) const
    {
        TestFiles::write(local(relative), content);
    }
    void selectHotel(const QString &name)
    {
        Common::ListBox &hotels = app_->hotels().lstHotel;
        hotels.setListIndex(static_cast<int>(hotels.items().indexOf(name)));
    }
    void selectRemote(const QString &name)
    {
        Common::ListBox &list = app_->browser().remote().List1;
        list.setListIndex(static_cast<int>(list.items().indexOf(name)));
    }
    void openBrowser()
    {
        app_->browser().local().setPath(local("pane"));
        app_->ftp().connectFTP();
    }

private:
    void seedServer() const;
    void seedLocal() const;
    void setUp();
    void check(const Snapshot &serverBefore, const Snapshot &localBefore, const Outcome &after,
               const Outcome *sound, QStringList &broke);

    PyftpdProcess &server_;
    QString data_;
    const Operation &operation_;
    const Fault &fault_;
    ScriptedOperator op_;
    std::unique_ptr<App::HotelManager> app_;
    qsizetype linesBefore_ = 0;
};

void Cell::seedServer() const
{
    QDir(server_.root()).removeRecursively();
    QDir().mkpath(server_.root());
    server_.putFile(kTextes + "mimosa_txt.ini", "MIMOSA V1\r\n");
    server_.putFile(kTextes + "les pins_txt.ini", "PINS V1\r\n");
    for (const Videos::Category &c : Videos::categories())
        QDir().mkpath(server_.path(kVideos + c.key));
    server_.putFile(kVideos + "plages/a.mp4", "old a");
    server_.putFile("www/hmanager/datas/videos_lst/plages.ini", "old list\r\n");
    for (const QString &folder : {kSales + "/img_thb", kSales + "/txt_thb", kSales + "/celane-sales/img_thb",
                                  kSales + "/celane-sales/img_big", kSales + "/celane-sales/txt_desc"})
        QDir().mkpath(server_.path(folder));
    server_.putFile(kSales + "/img_thb/ref001.jpg", "old index");
    server_.putFile(kSales + "/txt_thb/ref001.txt", "old short");
    server_.putFile("up.txt", "old up");
    server_.putFile("get.txt", "server get");
    server_.putFile("del.txt", "to delete");
    server_.putFile("ren.txt", "to rename");
}

void Cell::seedLocal() const
{
    writeLocal("cfg/textes/mimosa_txt.ini", "MIMOSA LOCAL\r\n");
    writeLocal("cfg/textes/local only_txt.ini", "LOCAL ONLY\r\n");
    writeLocal("videos/a.mp4", QByteArray("new a ").repeated(5000));
    writeLocal("videos/b.mp4", QByteArray("new b ").repeated(5000));
    writeLocal("pictures/p1.jpg", QByteArray("picture one ").repeated(3000));
    writeLocal("pictures/p2.jpg", "picture two");
    writeLocal("pane/up.txt", QByteArray("new up ").repeated(4000));
    writeLocal("pane/get.txt", "local get");
}

// The program as the operator has it when they click: started on the sound
// server unless starting is what is tried, then prepared.
void Cell::setUp()
{
    Common::ServerProfile profile = server_.profile();
    if (fault_.unreachable && operation_.before == Before::Nothing)
        profile.port = closedPort();
    app_ = std::make_unique<App::HotelManager>(profile, data_, op_);
    app_->ftp().setTimeouts(kShort);
    if (operation_.before == Before::StartUp)
        app_->start();
    if (operation_.before == Before::Folders) {
        app_->root().ensureFolders();
        app_->ftp().configure();
    }
    if (operation_.prepare)
        operation_.prepare(*this);
    app_->ftp().Wait();
}

Outcome Cell::play(const Outcome *sound, QStringList &broke)
{
    const std::string what = (operation_.name + " x " + fault_.name).toStdString();
    Watchdog watchdog(std::chrono::milliseconds(kHangMs), what);
    setUp();
    const Snapshot serverBefore = Snapshot::of(server_.root());
    const Snapshot localBefore = Snapshot::of(data_, kNotOperatorData);
    linesBefore_ = app_->status().all().size();
    server_.setFaults(fault_.modes);
    for (int i = 0; fault_.operatorRefuses && i < 8; ++i)
        op_.messageAnswers.enqueue(Common::OperatorUi::Answer::Cancel);
    if (fault_.unreachable) {
        Common::ServerProfile away = app_->ftp().profile();
        away.port = closedPort();
        app_->ftp().setProfile(away);
    }

    QElapsedTimer clock;
    clock.start();
    operation_.run(*this);
    app_->ftp().Wait();
    const qint64 elapsed = clock.elapsed();
    server_.setFaults({});

    const Outcome after{Snapshot::of(server_.root()), Snapshot::of(data_, kNotOperatorData),
                        countOk(app_->status().all().mid(linesBefore_))};
    if (elapsed > kPromptMs)
        broke << QStringLiteral("took %1 ms").arg(elapsed);
    check(serverBefore, localBefore, after, sound, broke);
    return after;
}

void Cell::check(const Snapshot &serverBefore, const Snapshot &localBefore, const Outcome &after,
                 const Outcome *sound, QStringList &broke)
{
    if (!op_.mainEnabled || op_.progressShown)
        broke << "windows not restored";
    const QStringList lines = app_->status().all().mid(linesBefore_);
    if (!sound) {
        if (after.server == serverBefore && after.local == localBefore)
            broke << "changed nothing on a sound server";
        if (showsError(operation_.shows, lines))
            broke << "error shown on a sound server: " + lines.join(" | ");
        return;
    }
    for (const QString &path : serverBefore.strayedFrom(after.server, sound->server))
        broke << "server file partial or lost: " + path;
    for (const QString &path : localBefore.strayedFrom(after.local, sound->local))
        broke << "local file changed: " + path;
    const bool succeeded = after.server == sound->server && after.local == sound->local;
    if (fault_.recovers && !succeeded)
        broke << "did not recover: " + lines.join(" | ");
    if (operation_.shows == Shows::Listing) {
        QStringList shown = app_->browser().remote().List1.items().replaceInStrings(QRegularExpression("/$"), QString());
        shown.sort();
        if (app_->ftp().lastListing().ok && shown != after.server.topLevelNames())
            broke << "listing shows " + shown.join(", ");
    } else if (!succeeded) {
        if (!showsError(operation_.shows, lines))
            broke << "no error line: " + lines.join(" | ");
        if (after.okLines > 0 && after.okLines >= sound->okLines)
            broke << "says OK: " + lines.join(" | ");
    }
}

QString salesPicture(Cell &cell, const QString &name)
{
    return cell.local("pictures/" + name);
}

void prepareSales(Cell &cell)
{
    Sales::SalesPanel &panel = cell.app().sales();
    panel.dropIndexImage({salesPicture(cell, "p1.jpg")});
    panel.dropThumbnails({salesPicture(cell, "p1.jpg"), salesPicture(cell, "p2.jpg")});
    panel.dropLargeImages({salesPicture(cell, "p2.jpg"), salesPicture(cell, "p1.jpg")});
    panel.txtCourt.setText("Villa, vue mer");
    panel.txtDesc.setText("Villa de 5 pièces\navec piscine");
}

void prepareVideos(Cell &cell)
{
    Videos::CategoryLists &lists = cell.app().categories();
    Common::ListBox &plages = lists.list("plages");
    plages.setItems({cell.local("videos/a.mp4"), cell.local("videos/b.mp4")});
    plages.setListIndex(0);
    lists.save(lists.indexOf("plages"), cell.app().root(), cell.app().status());
}

Operation sales(const QString &name, void (Sales::SalesPublisher::*click)())
{
    return {name, Shows::SalesLog, prepareSales, [click](Cell &c) { (c.app().salesPublisher().*click)(); }};
}

Operation video(const QString &name, void (Videos::VideoPublisher::*click)(int))
{
    return {name, Shows::Log, prepareVideos, [click](Cell &c) {
                (c.app().videos().*click)(c.app().categories().indexOf("plages"));
            }};
}

const QList<Operation> hotelAndVideoOperations()
{
    return {
        {"publish one hotel", Shows::Log,
         [](Cell &c) {
             c.writeLocal("cfg/textes/mimosa_txt.ini", "MIMOSA EDITED\r\n");
             c.selectHotel("MIMOSA");
         },
         [](Cell &c) { c.app().phrasePublisher().publishSelected(); }, Before::StartUp},
        {"publish all hotels", Shows::Log,
         [](Cell &c) {
             c.writeLocal("cfg/textes/mimosa_txt.ini", "MIMOSA EDITED\r\n");
             c.writeLocal("cfg/textes/les pins_txt.ini", "PINS EDITED\r\n");
         },
         [](Cell &c) { c.app().phrasePublisher().publishAll(); }, Before::StartUp},
        {"remove a hotel", Shows::Log, [](Cell &c) { c.selectHotel("LES PINS"); },
         [](Cell &c) { c.app().phrasePublisher().removeSelected(); }, Before::StartUp},
        {"start-up download", Shows::Log, {}, [](Cell &c) { c.app().start(); }, Before::Nothing},
        video("video ->", &Videos::VideoPublisher::sendSelected),
        video("video =>", &Videos::VideoPublisher::sendAll),
        video("video L", &Videos::VideoPublisher::sendList),
        {"video ===>", Shows::Log, prepareVideos, [](Cell &c) { c.app().videos().sendAllCategories(); }},
    };
}

const QList<Operation> salesOperations()
{
    return {
        sales("sales index", &Sales::SalesPublisher::publishIndexImage),
        sales("sales thumbnails", &Sales::SalesPublisher::publishThumbnails),
        sales("sales large", &Sales::SalesPublisher::publishLargeImages),
        sales("sales all images", &Sales::SalesPublisher::publishAllImages),
        sales("sales all texts", &Sales::SalesPublisher::publishAllTexts),
        sales("sales short text", &Sales::SalesPublisher::publishShortText),
        sales("sales long text", &Sales::SalesPublisher::publishLongText),
        sales("sales everything", &Sales::SalesPublisher::publishEverything),
    };
}

const QList<Operation> browserOperations()
{
    return {
        {"browser PUT", Shows::Listing,
         [](Cell &c) {
             c.openBrowser();
             Browser::LocalPane &pane = c.app().browser().local();
             pane.List2.setListIndex(static_cast<int>(pane.List2.items().indexOf("up.txt")));
         },
         [](Cell &c) { c.app().browser().openLocalEntry(); }},
        {"browser GET", Shows::Listing,
         [](Cell &c) {
             c.openBrowser();
             c.selectRemote("get.txt");
         },
         [](Cell &c) { c.app().browser().openRemoteEntry(); }},
        {"browser DELETE", Shows::Listing,
         [](Cell &c) {
             c.openBrowser();
             c.selectRemote("del.txt");
         },
         [](Cell &c) { c.app().browser().deleteRemoteEntry(); }},
        {"browser RENAME", Shows::Listing,
         [](Cell &c) {
             c.openBrowser();
             c.selectRemote("ren.txt");
             c.op().inputAnswers.enqueue("renamed.txt");
         },
         [](Cell &c) { c.app().browser().renameRemoteEntry(); }},
        {"browser MKDIR", Shows::Listing,
         [](Cell &c) {
             c.openBrowser();
             c.op().inputAnswers.enqueue("newdir");
         },
         [](Cell &c) { c.app().browser().makeRemoteFolder(); }},
    };
}

const QList<Operation> &allOperations()
{
    static const QList<Operation> operations = hotelAndVideoOperations() + salesOperations() + browserOperations();
    return operations;
}

// The cells over TLS: the operations that download, upload and publish in turn.
const QList<Operation> &tlsOperations()
{
    static const QList<Operation> operations = [] {
        QList<Operation> chosen;
        for (const Operation &o : allOperations())
            if (o.name == "start-up download" || o.name == "publish one hotel" || o.name == "video =>")
                chosen.append(o);
        return chosen;
    }();
    return operations;
}

const QList<Fault> &tlsFaults()
{
    static const QList<Fault> faults = kFaults + kTlsFaults;
    return faults;
}

using CellIndex = std::tuple<int, int>; // operation, fault

// A name CTest can carry: "video =>" x "CWD refused" -> video_send_all__CWD_refused.
std::string cellName(const Operation &operation, const Fault &fault)
{
    QString name = operation.name + QStringLiteral("__") + fault.name;
    name.replace(QStringLiteral("===>"), QStringLiteral("send_all_categories"))
        .replace(QStringLiteral("->"), QStringLiteral("send_one"))
        .replace(QStringLiteral("=>"), QStringLiteral("send_all"));
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_]")), QStringLiteral("_"));
    return name.toStdString();
}

// The operation on the sound server, then against the fault: what the first left
// behind is what the second is measured against.
void playCell(PyftpdProcess &server, const Operation &operation, const Fault &fault)
{
    ASSERT_TRUE(server.isRunning());
    QTemporaryDir workspace;
    const QString dataRoot = workspace.filePath("data");
    QStringList broke;
    const Outcome sound = Cell(server, dataRoot, operation, kFaults.first()).play(nullptr, broke);
    ASSERT_TRUE(broke.isEmpty()) << "on the sound server: " << qPrintable(broke.join("; "));
    if (fault.name != kFaults.first().name)
        Cell(server, dataRoot, operation, fault).play(&sound, broke);
    EXPECT_TRUE(broke.isEmpty()) << qPrintable(broke.join("\n"));
}

class FaultMatrix : public ::testing::TestWithParam<CellIndex> {};
class TlsFaultMatrix : public ::testing::TestWithParam<CellIndex> {};

} // namespace

// One operation against one fault of the scripted server: the operator's files survive,
// the log tells the truth, nothing hangs.
TEST_P(FaultMatrix, Holds)
{
    const auto [operation, fault] = GetParam();
    PyftpdProcess server;
    playCell(server, allOperations().at(operation), kFaults.at(fault));
}

INSTANTIATE_TEST_SUITE_P(Cells, FaultMatrix,
                         ::testing::Combine(::testing::Range(0, static_cast<int>(allOperations().size())),
                                            ::testing::Range(0, static_cast<int>(kFaults.size()))),
                         [](const auto &cell) {
                             return cellName(allOperations().at(std::get<0>(cell.param)),
                                             kFaults.at(std::get<1>(cell.param)));
                         });

// The same over explicit FTPS, with what only TLS can get wrong besides.
TEST_P(TlsFaultMatrix, Holds)
{
    const auto [operation, fault] = GetParam();
    PyftpdProcess::Options tls;
    tls.tls = true;
    PyftpdProcess server(tls);
    playCell(server, tlsOperations().at(operation), tlsFaults().at(fault));
}

INSTANTIATE_TEST_SUITE_P(TlsCells, TlsFaultMatrix,
                         ::testing::Combine(::testing::Range(0, static_cast<int>(tlsOperations().size())),
                                            ::testing::Range(0, static_cast<int>(tlsFaults().size()))),
                         [](const auto &cell) {
                             return cellName(tlsOperations().at(std::get<0>(cell.param)),
                                             tlsFaults().at(std::get<1>(cell.param)));
                         });
