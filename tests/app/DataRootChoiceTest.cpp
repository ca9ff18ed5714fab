#include "common/DataRootChoice.h"
#include "common/DataRootLock.h"
#include "support/Files.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

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

// A second program on a data root in use is refused and changes nothing there; the lock
// goes with its program however that ends; a data root it cannot write is told as such.
TEST(DataRootLock, OneProgramPerDataRoot)
{
    using Result = Common::DataRootLock::Result;
    QTemporaryDir root;
    const QString lockFile = root.filePath("cfg/hmanager.lock");
    std::optional<Common::DataRootLock> first(std::in_place, root.path());
    ASSERT_EQ(first->tryLock(), Result::Locked);
    TestFiles::write(root.filePath("cfg/textes/mimosa_txt.ini"), "MIMOSA\r\n");
    const QStringList before = QDir(root.filePath("cfg")).entryList(QDir::AllEntries | QDir::Hidden);
    Common::DataRootLock second(root.path());
    EXPECT_EQ(second.tryLock(), Result::InUse);
    EXPECT_EQ(QDir(root.filePath("cfg")).entryList(QDir::AllEntries | QDir::Hidden), before);
    EXPECT_EQ(Common::DataRootLock::refusal(root.path() + "/"),
              "Le programme est déjà ouvert sur ce dossier de données : " + root.path());
    first.reset();

    // What an older program left, or a power cut: the file alone holds nothing.
    for (const QByteArray &left : {QByteArray("2147483646\nhmanager\n\n"), QByteArray()}) {
        ASSERT_TRUE(TestFiles::write(lockFile, left));
        Common::DataRootLock again(root.path());
        EXPECT_EQ(again.tryLock(), Result::Locked) << left.toStdString();
        EXPECT_EQ(TestFiles::read(lockFile), "");
    }

    for (const int signal : {SIGKILL, SIGTERM}) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            Common::DataRootLock held(root.path());
            const char locked = held.tryLock() == Result::Locked ? 'L' : '-';
            [[maybe_unused]] const ssize_t told = ::write(ready[1], &locked, 1);
            ::pause();
            ::_exit(0);
        }
        char locked = 0;
        EXPECT_EQ(::read(ready[0], &locked, 1), 1);
        ::close(ready[0]);
        ::close(ready[1]);
        EXPECT_EQ(locked, 'L');
        Common::DataRootLock parent(root.path());
        EXPECT_EQ(parent.tryLock(), Result::InUse);
        ::kill(child, signal);
        ::waitpid(child, nullptr, 0);
        EXPECT_EQ(parent.tryLock(), Result::Locked) << "after signal " << signal;
    }

    // A lock file it cannot open for writing, and a data root where cfg/ cannot be made.
    QTemporaryDir fresh;
    for (const QString &dataRoot : {root.path(), fresh.path()}) {
        const BindMount readOnly(dataRoot, "ro");
        ASSERT_TRUE(readOnly.mounted());
        Common::DataRootLock locked(dataRoot);
        EXPECT_EQ(locked.tryLock(), Result::NotWritable) << dataRoot.toStdString();
    }
    EXPECT_EQ(Common::DataRootLock::notWritable(root.path() + "/"),
              "Le dossier de données n'est pas accessible en écriture : " + root.path());
}
