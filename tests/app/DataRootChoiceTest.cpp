#include "common/DataRootChoice.h"
#include "common/DataRootLock.h"
#include "support/Files.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace {

// A bind mount of a folder over itself while it lives, "ro" or "rw". These tests run in a
// user and mount namespace of their own (unshare -rm), where "ro" makes a folder read-only
// even for root.
class BindMount {
public:
    BindMount(const QString &folder, const QString &mode) : folder_(folder)
    {
        // A bind mount starts with the flags of the mount it is made from: "mode" is set after.
        mounted_ = QProcess::execute(QStringLiteral("mount"), {"--bind", folder, folder}) == 0
                   && QProcess::execute(QStringLiteral("mount"), {"-o", "remount,bind," + mode, folder}) == 0;
    }
    ~BindMount()
    {
        if (mounted_)
            QProcess::execute(QStringLiteral("umount"), {folder_});
    }
    bool mounted() const { return mounted_; }

private:
    QString folder_;
    bool mounted_ = false;
};

class DataRootChoiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
        QDir().mkpath(program());
    }
    void TearDown() override { qunsetenv("XDG_DATA_HOME"); }

    QString program() const { return top.filePath(QStringLiteral("opt/hmanager")); }
    QString own() const { return dataHome.filePath(QStringLiteral("pendric-hotel-manager")); }

    QTemporaryDir top;
    QTemporaryDir dataHome;
};

} // namespace

TEST_F(DataRootChoiceTest, ACopiedProgramKeepsItsFilesBesideItself)
{
    auto choice = Common::DataRootChoice::choose(program());
    EXPECT_EQ(choice.path, program());
    EXPECT_EQ(choice.statusLine(), "Dossier des données : " + program());
    EXPECT_FALSE(QDir(program() + "/cfg").exists()) << "choosing creates nothing";

    ASSERT_TRUE(TestFiles::write(program() + "/cfg/plages.ini", "a.mp4\r\n"));
    EXPECT_EQ(Common::DataRootChoice::choose(program()).path, program());
}

TEST_F(DataRootChoiceTest, AProgramInAFolderItCannotWriteUsesTheOperatorsDataFolder)
{
    const BindMount locked(program(), "ro");
    ASSERT_TRUE(locked.mounted());
    auto choice = Common::DataRootChoice::choose(program());
    EXPECT_EQ(choice.path, own());
    EXPECT_TRUE(choice.adoptedFrom.isEmpty());

    qunsetenv("XDG_DATA_HOME");
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", top.path().toUtf8());
    choice = Common::DataRootChoice::choose(program());
    qputenv("HOME", home);
    EXPECT_EQ(choice.path, top.filePath(".local/share/pendric-hotel-manager"));
}

TEST_F(DataRootChoiceTest, AnInstalledProgramNeverWritesUnderUsr)
{
    EXPECT_EQ(Common::DataRootChoice::choose(QStringLiteral("/usr/bin")).path, own());
    EXPECT_EQ(Common::DataRootChoice::choose(QStringLiteral("/usr/local/bin")).path, own());
}

TEST_F(DataRootChoiceTest, WritableDataFoldersBesideAReadOnlyProgramAreKept)
{
    QDir().mkpath(program() + "/cfg/textes");
    QDir().mkpath(program() + "/temp");
    const BindMount locked(program(), "ro");
    ASSERT_TRUE(locked.mounted());
    const BindMount cfg(program() + "/cfg", "rw");
    const BindMount temp(program() + "/temp", "rw");
    ASSERT_TRUE(cfg.mounted() && temp.mounted());
    EXPECT_EQ(Common::DataRootChoice::choose(program()).path, program());
}

TEST_F(DataRootChoiceTest, ListsBesideAProgramThatCannotWriteThemAreCarriedOverOnce)
{
    ASSERT_TRUE(TestFiles::write(program() + "/cfg/plages.ini", "a.mp4\r\n"));
    ASSERT_TRUE(TestFiles::write(program() + "/cfg/textes/mimosa_txt.ini", "BIENVENUE\r\n"));
    const BindMount locked(program() + "/cfg", "ro");
    ASSERT_TRUE(locked.mounted());

    auto choice = Common::DataRootChoice::choose(program());
    EXPECT_EQ(choice.path, own()) << "its cfg/ is read-only although its folder is not";
    EXPECT_EQ(choice.adoptedFrom, program() + "/cfg");
    EXPECT_EQ(TestFiles::read(own() + "/cfg/plages.ini"), "a.mp4\r\n");
    EXPECT_EQ(TestFiles::read(own() + "/cfg/textes/mimosa_txt.ini"), "BIENVENUE\r\n");
    EXPECT_EQ(choice.statusLine(),
              "Dossier des données : " + own() + " (listes reprises de " + program() + "/cfg)");

    ASSERT_TRUE(TestFiles::write(own() + "/cfg/plages.ini", "b.mp4\r\n"));
    choice = Common::DataRootChoice::choose(program());
    EXPECT_TRUE(choice.adoptedFrom.isEmpty());
    EXPECT_EQ(TestFiles::read(own() + "/cfg/plages.ini"), "b.mp4\r\n") << "the operator's own lists win";
}

// A second program on a data root in use is refused and changes nothing there; the lock of
// a program that is gone is taken over.
TEST(DataRootLock, OneProgramPerDataRoot)
{
    QTemporaryDir root;
    std::optional<Common::DataRootLock> first(std::in_place, root.path());
    ASSERT_TRUE(first->tryLock());
    TestFiles::write(root.filePath("cfg/textes/mimosa_txt.ini"), "MIMOSA\r\n");
    const QStringList before = QDir(root.filePath("cfg")).entryList(QDir::AllEntries | QDir::Hidden);
    Common::DataRootLock second(root.path());
    EXPECT_FALSE(second.tryLock());
    EXPECT_EQ(QDir(root.filePath("cfg")).entryList(QDir::AllEntries | QDir::Hidden), before);
    EXPECT_EQ(Common::DataRootLock::refusal(root.path() + "/"),
              "Le programme est déjà ouvert sur ce dossier de données : " + root.path());

    first.reset(); // then as a crash leaves it: the file of a process that no longer runs
    TestFiles::write(root.filePath("cfg/hmanager.lock"), "2147483646\nhmanager\n\n");
    EXPECT_TRUE(second.tryLock());
}
