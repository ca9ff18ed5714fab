#include "app/Form1.h"
#include "widgets/DropArea.h"
#include "widgets/ListBoxView.h"
#include "common/Module1.h"
#include "support/PyftpdProcess.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSet>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

Common::ServerProfile unreachable()
{
    return Common::ServerProfile{QStringLiteral("127.0.0.1"), 1, QStringLiteral("pendric"),
                         QStringLiteral("12345678")};
}

const QString kTextes = QStringLiteral("www/hmanager/datas/textes/");

// The main window after its start against a server holding two hotels' phrase files.
class MainWindowOnServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.isRunning());
        server.putFile(kTextes + "alpha_txt.ini", "ALPHA UN\r\n");
        server.putFile(kTextes + "beta_txt.ini", "BETA UN\r\n");
        form.start();
        ASSERT_EQ(hotels().lstHotel.items(), (QStringList{"ALPHA", "BETA"}));
    }

    Hotels::HotelPhrases &hotels() { return form.manager().hotels(); }
    template <typename T = QWidget> T *child(const char *name) { return form.findChild<T *>(name); }
    QStringList renamedOnServer(qsizetype since) const
    {
        return server.receivedCommands().mid(since).filter(QStringLiteral("RNTO"));
    }

    PyftpdProcess server;
    QTemporaryDir dataRoot;
    int ended = -1;
    std::function<void()> onEnd = [] {};
    App::Form1 form{server.profile(), dataRoot.path(), [this](int status) {
                   ended = status;
                   onEnd();
               }};
};

} // namespace

TEST(MainWindow, SizeButtonsSwitchBetweenTheTwoHeights)
{
    QTemporaryDir root;
    App::Form1 window(unreachable(), root.path(), [](int) {});
    EXPECT_EQ(window.outerHeightTwips(), App::Form1::kCompactHeightTwips);
    const int width = window.width();

    QTest::mouseClick(window.findChild<QPushButton *>("Command68"), Qt::LeftButton);
    EXPECT_EQ(window.outerHeightTwips(), 14085);
    EXPECT_EQ(window.height(), (14085 - App::Form1::kFrameTwips) / 15);
    QTest::mouseClick(window.findChild<QPushButton *>("Command67"), Qt::LeftButton);
    EXPECT_EQ(window.outerHeightTwips(), 8175);
    EXPECT_EQ(window.height(), (8175 - App::Form1::kFrameTwips) / 15);
    EXPECT_EQ(window.width(), width);
    EXPECT_EQ(window.windowTitle(), "VORLA - Pendric Hotel Manager");
}

TEST(MainWindow, StartsWithoutCfgFolderAndCreatesTheWorkingFolders)
{
    QTemporaryDir root;
    App::Form1 window(unreachable(), root.path(), [](int) {});
    window.start();
    for (const char *folder : {"cfg", "cfg/textes", "temp"})
        EXPECT_TRUE(QDir(root.filePath(folder)).exists()) << folder;
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(window.manager().categories().list(i).count(), 0);
    EXPECT_TRUE(window.isVisible());
}

TEST(MainWindow, CategoryListsLoadFromTheirFilesAndAMissingOneStaysEmpty)
{
    QTemporaryDir root;
    QDir().mkpath(root.filePath("cfg"));
    Common::Module1::SaveListFile(root.filePath("cfg/plages.ini"), QStringList{"/v/a.mp4", "/v/b.mp4", ""});
    Common::Module1::SaveListFile(root.filePath("cfg/documentaires.ini"), QStringList{"/v/doc.mp4"});
    App::Form1 window(unreachable(), root.path(), [](int) {});
    window.start();
    auto &categories = window.manager().categories();
    EXPECT_EQ(categories.list("plages").items(), (QStringList{"/v/a.mp4", "/v/b.mp4", ""}));
    EXPECT_EQ(categories.list("documentaires").items(), QStringList{"/v/doc.mp4"});
    EXPECT_EQ(categories.list("restaurants").count(), 0);
}

TEST(MainWindow, ClosingEndsTheProgramWithStatusZero)
{
    QTemporaryDir root;
    int ended = -1;
    App::Form1 window(unreachable(), root.path(), [&](int status) { ended = status; });
    window.start();
    window.close();
    EXPECT_EQ(ended, 0);
}

TEST(MainWindow, ProgressWindowDisablesTheMainWindowWhileShown)
{
    QTemporaryDir root;
    App::Form1 window(unreachable(), root.path(), [](int) {});
    window.start();
    window.manager().form3().frmWait(-1);
    auto *form3 = window.findChild<QWidget *>("Form3");
    ASSERT_NE(form3, nullptr);
    EXPECT_TRUE(form3->isVisible());
    EXPECT_FALSE(window.isEnabled());
    EXPECT_TRUE(form3->findChild<QPushButton *>("Command3")->isEnabled()); // STOP
    const QPoint offset = form3->frameGeometry().center() - window.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2);
    EXPECT_EQ(form3->findChild<QWidget *>("lblMaj")->geometry(), QRect(208, 200, 473, 25));
    window.manager().form3().frmWait(1);
    EXPECT_FALSE(form3->isVisible());
    EXPECT_TRUE(window.isEnabled());
}

TEST(MainWindow, EveryControlTellsAScreenReaderWhatItIsAndExplainsItselfOnHover)
{
    QTemporaryDir root;
    App::Form1 window(unreachable(), root.path(), [](int) {});
    QTest::mouseClick(window.findChild<QPushButton *>("cmdVentes"), Qt::LeftButton);
    QTest::mouseClick(window.findChild<QPushButton *>("cmdFtp"), Qt::LeftButton);
    window.findChild<QWidget *>("p2")->show(); // the second category page
    // Words that say what their button does; "->" or "L" do not.
    const QStringList selfExplaining = {"Connect", "Cancel"};
    QSet<QString> windows;
    for (QWidget *widget : window.findChildren<QWidget *>()) {
        const bool control = qobject_cast<QAbstractButton *>(widget) || qobject_cast<QAbstractItemView *>(widget)
            || qobject_cast<Widgets::DropArea *>(widget) || qobject_cast<QProgressBar *>(widget)
            || qobject_cast<QLineEdit *>(widget) || qobject_cast<QPlainTextEdit *>(widget);
        if (!control || !widget->isVisibleTo(widget->window()))
            continue;
        windows.insert(widget->window()->objectName());
        const QString where = widget->window()->objectName() + "/" + widget->objectName();
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name).isEmpty()) << where.toStdString();
        const auto *button = qobject_cast<QAbstractButton *>(widget);
        if (!button || !selfExplaining.contains(button->text())) {
            EXPECT_FALSE(widget->toolTip().isEmpty()) << where.toStdString();
        }
    }
    EXPECT_EQ(windows, (QSet<QString>{"Form1", "SalesWindow", "BrowserWindow", "Form3"}));
}

TEST(Program, RealExecutableStartsInItsOwnFolderAndClosesCleanly)
{
    QTemporaryDir root;
    const QString exe = root.filePath("hmanager");
    ASSERT_TRUE(QFile::copy(QStringLiteral(HM_EXECUTABLE), exe));
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    program.start(exe, {});
    ASSERT_TRUE(program.waitForStarted(10000));
    QTRY_VERIFY_WITH_TIMEOUT(QDir(root.filePath("cfg/textes")).exists(), 20000);
    QTest::qWait(500);
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}

TEST(MainWindow, ClosedDuringAStalledStartUpDownloadEndsAtOnceAndKeepsTheLocalCopies)
{
    PyftpdProcess server({.faults = {"stall-retr"}});
    server.putFile(kTextes + "alpha_txt.ini", "NEW\r\n");
    QTemporaryDir root;
    QDir().mkpath(root.filePath("cfg/textes"));
    Common::Module1::SaveListFile(root.filePath("cfg/textes/alpha_txt.ini"), QStringList{"OLD"});
    QElapsedTimer sinceClose;
    qint64 endedAfterMs = -1;
    App::Form1 window(server.profile(), root.path(), [&](int status) {
        if (status == 0)
            endedAfterMs = sinceClose.elapsed();
    });
    window.manager().ftp().setTimeouts({60000, 60000, 60000});
    QObject::connect(&window.manager().ftp(), &Ftp::FtpSession::commandSent, &window, [&](const QString &line) {
        if (line.startsWith("RETR"))
            QTimer::singleShot(100, &window, [&] {
                sinceClose.start();
                window.close();
            });
    });
    window.start();

    EXPECT_GE(endedAfterMs, 0);
    EXPECT_LT(endedAfterMs, 2000);
    EXPECT_EQ(QDir(root.filePath("cfg/textes")).entryList(QDir::Files), QStringList{"alpha_txt.ini"});
    QFile kept(root.filePath("cfg/textes/alpha_txt.ini"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "OLD\r\n");
}

TEST_F(MainWindowOnServer, StopDuringAStalledUploadEndsAtOnceAndLeavesTheServerFileWhole)
{
    hotels().lstHoteltxt.addItem("ALPHA DEUX");
    server.setFaults({"stall-stor"});
    // A stop that waited for the server would wait out these.
    form.manager().ftp().setTimeouts({60000, 60000, 60000});
    bool idleAtEnd = false;
    bool stopUsable = false;
    QElapsedTimer sinceClick;
    qint64 endedAfterMs = -1;
    onEnd = [&] {
        idleAtEnd = !form.manager().ftp().busy();
        endedAfterMs = sinceClick.elapsed();
    };
    QObject::connect(&form.manager().ftp(), &Ftp::FtpSession::commandSent, &form, [&](const QString &line) {
        if (!line.startsWith("STOR"))
            return;
        QTimer::singleShot(100, &form, [&] {
            auto *stop = child<QWidget>("Form3")->findChild<QPushButton *>("Command3");
            stopUsable = stop->isVisible() && stop->isEnabled() && !form.isEnabled();
            sinceClick.start();
            QTest::mouseClick(stop, Qt::LeftButton);
        });
    });
    QTest::mouseClick(child<QPushButton>("Command60"), Qt::LeftButton);

    EXPECT_TRUE(stopUsable);
    EXPECT_EQ(ended, 0);
    EXPECT_TRUE(idleAtEnd);
    EXPECT_LT(endedAfterMs, 2000);
    EXPECT_EQ(server.fileContent(kTextes + "alpha_txt.ini"), "ALPHA UN\r\n");
    EXPECT_FALSE(form.manager().status().all().contains("Hotel ALPHA: envoi liste des textes pour mise à jour OK"));
}

TEST_F(MainWindowOnServer, DeleteInTheHotelListRemovesTheHotelOnlyOnceConfirmed)
{
    QStringList asked;
    QList<QMessageBox::StandardButton> answers = {QMessageBox::Cancel, QMessageBox::Ok};
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            asked.append(box->text());
            box->button(answers.takeFirst())->click();
        }
    });
    answering.start(20);
    auto *list = child<Widgets::ListBoxView>("lstHotel");
    const auto pressDelete = [&] {
        QApplication::setActiveWindow(&form); // offscreen, a closed dialog leaves none active
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Delete);
    };
    const qsizetype before = server.receivedCommands().size();

    hotels().lstHotel.setListIndex(-1);
    pressDelete(); // no hotel chosen: the button would do nothing
    EXPECT_TRUE(asked.isEmpty());
    hotels().lstHotel.setListIndex(1);
    pressDelete();
    EXPECT_EQ(asked, QStringList{"Etes-vous sur de vouloir effacer votre selection ?"});
    EXPECT_TRUE(server.receivedCommands().mid(before).filter("DELE").isEmpty());
    pressDelete();
    EXPECT_EQ(asked.size(), 2);
    EXPECT_EQ(server.receivedCommands().mid(before).filter("DELE"), QStringList{"DELE beta_txt.ini"});
    EXPECT_EQ(hotels().lstHotel.items(), QStringList{"ALPHA"});
    EXPECT_TRUE(child("Command38")->toolTip().endsWith("(Suppr)"));
}

TEST_F(MainWindowOnServer, KeyboardSelectsTheHotelThatIsThenPublished)
{
    auto *list = child<Widgets::ListBoxView>("lstHotel");
    QSignalSpy clicks(&hotels().lstHotel, &Common::ListBox::clicked);
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(hotels().lblHotelName.text(), "HOTEL BETA");
    EXPECT_EQ(hotels().lstHoteltxt.items(), QStringList{"BETA UN"});
    QTest::keyClick(list, Qt::Key_Home);
    EXPECT_EQ(hotels().lblHotelName.text(), "HOTEL ALPHA");
    // A click on another entry is reported once; on the current one it still reacts.
    const QPoint beta = list->visualRect(list->model()->index(1, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, beta);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, beta);
    EXPECT_EQ(clicks.count(), 4);
    QTest::keyClick(list, Qt::Key_A); // type-ahead
    EXPECT_EQ(hotels().lblHotelName.text(), "HOTEL ALPHA");
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(hotels().lblHotelName.text(), "HOTEL BETA");

    const qsizetype before = server.receivedCommands().size();
    auto *publish = child<QPushButton>("Command60");
    QApplication::setActiveWindow(&form);
    publish->setFocus();
    QTest::keyClick(publish, Qt::Key_Space);
    EXPECT_EQ(renamedOnServer(before), QStringList{"RNTO beta_txt.ini"});
    EXPECT_TRUE(form.isEnabled());
    EXPECT_EQ(form.focusWidget(), publish); // the lock while it ran took the focus away

    // Tab goes from the hotel list to the button beside it, then to the phrases.
    const auto tabFrom = [](QWidget *w) {
        do
            w = w->nextInFocusChain();
        while (!(w->focusPolicy() & Qt::TabFocus));
        return w;
    };
    EXPECT_EQ(tabFrom(list)->objectName(), "Command39");
    EXPECT_EQ(tabFrom(tabFrom(list))->objectName(), "lstHoteltxt");
}
