#include "app/Form1.h"
#include "app/Module1.h"

#include <QDir>
#include <QFile>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

ServerProfile unreachable()
{
    return ServerProfile{QStringLiteral("127.0.0.1"), 1, QStringLiteral("pendric"),
                         QStringLiteral("12345678")};
}

} // namespace

TEST(MainWindow, SizeButtonsSwitchBetweenTheTwoHeights)
{
    QTemporaryDir root;
    Form1 window(unreachable(), root.path(), [](int) {});
    EXPECT_EQ(window.outerHeightTwips(), Form1::kCompactHeightTwips);
    const int width = window.width();

    QTest::mouseClick(window.findChild<QPushButton *>("Command68"), Qt::LeftButton);
    EXPECT_EQ(window.outerHeightTwips(), 14085);
    EXPECT_EQ(window.height(), (14085 - Form1::kFrameTwips) / 15);
    QTest::mouseClick(window.findChild<QPushButton *>("Command67"), Qt::LeftButton);
    EXPECT_EQ(window.outerHeightTwips(), 8175);
    EXPECT_EQ(window.height(), (8175 - Form1::kFrameTwips) / 15);
    EXPECT_EQ(window.width(), width);
    EXPECT_EQ(window.windowTitle(), "VORLA - Pendric Hotel Manager");
}

TEST(MainWindow, StartsWithoutCfgFolderAndCreatesTheWorkingFolders)
{
    QTemporaryDir root;
    Form1 window(unreachable(), root.path(), [](int) {});
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
    Module1::SaveListFile(root.filePath("cfg/plages.ini"), QStringList{"/v/a.mp4", "/v/b.mp4", ""});
    Module1::SaveListFile(root.filePath("cfg/documentaires.ini"), QStringList{"/v/doc.mp4"});
    Form1 window(unreachable(), root.path(), [](int) {});
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
    Form1 window(unreachable(), root.path(), [&](int status) { ended = status; });
    window.start();
    window.close();
    EXPECT_EQ(ended, 0);
}

TEST(MainWindow, ProgressWindowDisablesTheMainWindowWhileShown)
{
    QTemporaryDir root;
    Form1 window(unreachable(), root.path(), [](int) {});
    window.start();
    window.manager().form3().frmWait(-1);
    auto *form3 = window.findChild<QWidget *>("Form3");
    ASSERT_NE(form3, nullptr);
    EXPECT_TRUE(form3->isVisible());
    EXPECT_FALSE(window.isEnabled());
    window.manager().form3().frmWait(1);
    EXPECT_FALSE(form3->isVisible());
    EXPECT_TRUE(window.isEnabled());
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
