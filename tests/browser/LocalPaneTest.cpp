#include "browser/DriveList.h"
#include "browser/LocalPane.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void touch(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

// tree/ holds folders "b", "A sub", ".hidden" and files "z.txt", "a file.mp4", ".dot".
class LocalPaneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        root = QDir::cleanPath(tmp.path()) + "/tree";
        for (const char *folder : {"b", "A sub/deeper", ".hidden"})
            QDir().mkpath(root + "/" + folder);
        touch(root + "/z.txt");
        touch(root + "/a file.mp4");
        touch(root + "/.dot");
    }

    QTemporaryDir tmp;
    QString root;
    Browser::LocalPane pane;
};

} // namespace

TEST_F(LocalPaneTest, StartsEmptyAndListsFoldersWithSeparatorBeforeFiles)
{
    EXPECT_EQ(pane.List2.count(), 0);
    EXPECT_FALSE(pane.hasFolder());

    ASSERT_TRUE(pane.setPath(root));
    EXPECT_EQ(pane.Text1.text(), root + "/");
    EXPECT_EQ(pane.List2.items(), (QStringList{"A sub/", "b/", "a file.mp4", "z.txt"}));
    EXPECT_EQ(pane.List2.listIndex(), -1);
}

TEST_F(LocalPaneTest, DoubleClickEntersFoldersAndUpReturnsToTheParent)
{
    pane.setPath(root);
    EXPECT_TRUE(pane.enter("A sub/"));
    EXPECT_EQ(pane.Text1.text(), root + "/A sub/");
    EXPECT_EQ(pane.List2.items(), QStringList{"deeper/"});

    EXPECT_FALSE(pane.enter("a file.mp4"));
    EXPECT_EQ(pane.Text1.text(), root + "/A sub/");

    pane.Up();
    EXPECT_EQ(pane.Text1.text(), root + "/");
    EXPECT_EQ(pane.List2.item(0), "A sub/");
}

TEST_F(LocalPaneTest, UpFromTheRootShowsTheDriveListAndADriveEntersItsMountFolder)
{
    pane.setPath("/");
    EXPECT_EQ(pane.Text1.text(), "/");
    pane.Up();
    EXPECT_FALSE(pane.hasFolder());
    EXPECT_EQ(pane.Text1.text(), "");
    const QStringList drives = pane.List2.items();
    EXPECT_EQ(drives.value(0), "/");
    EXPECT_TRUE(drives.contains(QDir::homePath() + "/"));
    EXPECT_EQ(drives, Browser::DriveList::entries());

    EXPECT_TRUE(pane.enter(QDir::homePath() + "/"));
    EXPECT_EQ(pane.Text1.text(), QDir::homePath() + "/");
    pane.ChangeDrive();
    EXPECT_TRUE(pane.enter("/"));
    EXPECT_EQ(pane.Text1.text(), "/");
}

TEST_F(LocalPaneTest, AMissingFolderLeavesThePaneAsItWas)
{
    pane.setPath(root);
    QDir(root + "/b").removeRecursively();
    EXPECT_TRUE(pane.enter("b/"));
    EXPECT_EQ(pane.Text1.text(), root + "/");
    EXPECT_EQ(pane.List2.count(), 4);
}

TEST_F(LocalPaneTest, FilePathsStayInsideTheCurrentFolder)
{
    EXPECT_EQ(pane.filePath("z.txt"), "");
    pane.setPath(root);
    EXPECT_EQ(pane.filePath("les pins été.ini"), root + "/les pins été.ini");
    for (const QString &name : {QString("../x"), QString(".."), QString("a/b"), QString("a\\b"),
                                QString("bad\rname"), QString("tab\tname"), QString(""), QString(300, 'L')})
        EXPECT_EQ(pane.filePath(name), "") << name.toStdString();
    pane.ChangeDrive();
    EXPECT_EQ(pane.filePath("z.txt"), "");
}
