#include "common/ListBox.h"
#include "common/Module1.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ListFiles : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }
};

} // namespace

TEST_F(ListFiles, SavesExactBytesAndReadsThemBack)
{
    Common::ListBox list(QStringLiteral("l"));
    list.setItems({QStringLiteral("a"), QStringLiteral("b"), QString()});
    Common::Module1::SaveListFile(path("x.ini"), list);
    EXPECT_EQ(TestFiles::read(path("x.ini")), QByteArray("a\r\nb\r\n\r\n"));

    Common::ListBox back(QStringLiteral("back"));
    back.addItem(QStringLiteral("old"));
    Common::Module1::LoadListFile(path("x.ini"), back);
    EXPECT_EQ(back.items(), (QStringList{"a", "b", ""}));
}

TEST_F(ListFiles, EmptyListGivesEmptyFileAndEmptyFileGivesEmptyList)
{
    Common::Module1::SaveListFile(path("e.ini"), QStringList{});
    EXPECT_EQ(QFileInfo(path("e.ini")).size(), 0);
    Common::ListBox list(QStringLiteral("l"));
    list.addItem(QStringLiteral("stale"));
    Common::Module1::LoadListFile(path("e.ini"), list);
    EXPECT_EQ(list.count(), 0);
}

TEST_F(ListFiles, LastLineWithoutLineEndIsAnItem)
{
    ASSERT_TRUE(TestFiles::write(path("t.ini"), "one\r\ntwo"));
    EXPECT_EQ(Common::Module1::readListFile(path("t.ini")), (QStringList{"one", "two"}));
}

TEST_F(ListFiles, Windows1252RoundTrip)
{
    const QString text = QStringLiteral("é à ç € Œ ’");
    Common::Module1::SaveListFile(path("w.ini"), QStringList{text});
    EXPECT_EQ(TestFiles::read(path("w.ini")), QByteArray("\xE9 \xE0 \xE7 \x80 \x8C \x92\r\n"));
    EXPECT_EQ(Common::Module1::readListFile(path("w.ini")), QStringList{text});
}

TEST_F(ListFiles, RefusesCharactersOutsideTheCodePageAndKeepsTheOldFile)
{
    ASSERT_TRUE(TestFiles::write(path("r.ini"), "keep\r\n"));
    Common::ListBox list(QStringLiteral("l"));
    list.setItems({QStringLiteral("ok"), QStringLiteral("snow ☃")});
    QSignalSpy clicks(&list, &Common::ListBox::clicked);
    EXPECT_THROW(Common::Module1::SaveListFile(path("r.ini"), list), Common::ListFileError);
    EXPECT_EQ(TestFiles::read(path("r.ini")), QByteArray("keep\r\n"));
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(ListFiles, ReadOnlyFileStaysUntouched)
{
    ASSERT_TRUE(TestFiles::write(path("ro.ini"), "keep\r\n"));
    QFile::setPermissions(path("ro.ini"), QFile::ReadOwner);
    Common::ListBox list(QStringLiteral("l"));
    list.setItems({QStringLiteral("new")});
    EXPECT_THROW(Common::Module1::SaveListFile(path("ro.ini"), list), Common::ListFileError);
    EXPECT_EQ(TestFiles::read(path("ro.ini")), QByteArray("keep\r\n"));
    EXPECT_EQ(list.listIndex(), -1);
}

TEST_F(ListFiles, MissingFolderAndMissingFileFail)
{
    EXPECT_THROW(Common::Module1::SaveListFile(path("no/such.ini"), QStringList{"x"}), Common::ListFileError);
    Common::ListBox list(QStringLiteral("l"));
    list.addItem(QStringLiteral("stale"));
    EXPECT_THROW(Common::Module1::LoadListFile(path("missing.ini"), list), Common::ListFileError);
    EXPECT_EQ(list.count(), 0); // emptied before the open failed
}

TEST_F(ListFiles, SaveClicksEveryItemInOrderAndLeavesTheLastSelected)
{
    Common::ListBox list(QStringLiteral("l"));
    list.setItems({"1", "2", "3", "4", "5"});
    QSignalSpy clicks(&list, &Common::ListBox::clicked);
    Common::Module1::SaveListFile(path("c.ini"), list);
    ASSERT_EQ(clicks.count(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(clicks.at(i).at(0).toInt(), i);
    EXPECT_EQ(list.listIndex(), 4);
    EXPECT_TRUE(QDir(dir.path()).entryList({"*.ini.*", "*~"}, QDir::Files).isEmpty());
}

TEST(Paths, FileNameFromPathAndShortPath)
{
    EXPECT_EQ(Common::Module1::FileNameFromPath("/home/op/My Videos/beach day.mp4"), "beach day.mp4");
    EXPECT_EQ(Common::Module1::FileNameFromPath("/home/op/"), "");
    EXPECT_EQ(Common::Module1::FileNameFromPath("bare.ini"), "bare.ini");
    EXPECT_EQ(Common::Module1::FileNameFromPath(""), "");

    QTemporaryDir dir;
    const QString file = dir.filePath("a b.txt");
    ASSERT_TRUE(TestFiles::write(file, "x"));
    QDir::setCurrent(dir.path());
    EXPECT_EQ(Common::Module1::ShortPath("a b.txt"), file);
    EXPECT_EQ(Common::Module1::ShortPath(dir.filePath("gone.txt")), "");
    EXPECT_EQ(Common::Module1::ShortPath(""), "");
}
