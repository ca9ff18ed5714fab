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
    ListBox list(QStringLiteral("l"));
    list.setItems({QStringLiteral("a"), QStringLiteral("b"), QString()});
    Module1::SaveListFile(path("x.ini"), list);
    EXPECT_EQ(TestFiles::read(path("x.ini")), QByteArray("a\r\nb\r\n\r\n"));

    ListBox back(QStringLiteral("back"));
    back.addItem(QStringLiteral("old"));
    Module1::LoadListFile(path("x.ini"), back);
    EXPECT_EQ(back.items(), (QStringList{"a", "b", ""}));
}

TEST_F(ListFiles, EmptyListGivesEmptyFileAndEmptyFileGivesEmptyList)
{
    Module1::SaveListFile(path("e.ini"), QStringList{});
    EXPECT_EQ(QFileInfo(path("e.ini")).size(), 0);
    ListBox list(QStringLiteral("l"));
    list.addItem(QStringLiteral("stale"));
    Module1::LoadListFile(path("e.ini"), list);
    EXPECT_EQ(list.count(), 0);
}

TEST_F(ListFiles, LastLineWithoutLineEndIsAnItem)
{
    ASSERT_TRUE(TestFiles::write(path("t.ini"), "one\r\ntwo"));
    EXPECT_EQ(Module1::readListFile(path("t.ini")), (QStringList{"one", "two"}));
}

TEST_F(ListFiles, Windows1252RoundTrip)
{
    const QString text = QStringLiteral("é à ç € Œ ’");
    Module1::SaveListFile(path("w.ini"), QStringList{text});
    EXPECT_EQ(TestFiles::read(path("w.ini")), QByteArray("\xE9 \xE0 \xE7 \x80 \x8C \x92\r\n"));
    EXPECT_EQ(Module1::readListFile(path("w.ini")), QStringList{text});
}

TEST_F(ListFiles, RefusesCharactersOutsideTheCodePageAndKeepsTheOldFile)
{
    ASSERT_TRUE(TestFiles::write(path("r.ini"), "keep\r\n"));
    ListBox list(QStringLiteral("l"));
    list.setItems({QStringLiteral("ok"), QStringLiteral("snow ☃")});
    QSignalSpy clicks(&list, &ListBox::clicked);
    EXPECT_THROW(Module1::SaveListFile(path("r.ini"), list), ListFileError);
    EXPECT_EQ(TestFiles::read(path("r.ini")), QByteArray("keep\r\n"));
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(ListFiles, ReadOnlyFileStaysUntouched)
{
    ASSERT_TRUE(TestFiles::write(path("ro.ini"), "keep\r\n"));
    QFile::setPermissions(path("ro.ini"), QFile::ReadOwner);
    ListBox list(QStringLiteral("l"));
    list.setItems({QStringLiteral("new")});
    EXPECT_THROW(Module1::SaveListFile(path("ro.ini"), list), ListFileError);
    EXPECT_EQ(TestFiles::read(path("ro.ini")), QByteArray("keep\r\n"));
    EXPECT_EQ(list.listIndex(), -1);
}

TEST_F(ListFiles, MissingFolderAndMissingFileFail)
{
    EXPECT_THROW(Module1::SaveListFile(path("no/such.ini"), QStringList{"x"}), ListFileError);
    ListBox list(QStringLiteral("l"));
    list.addItem(QStringLiteral("stale"));
    EXPECT_THROW(Module1::LoadListFile(path("missing.ini"), list), ListFileError);
    EXPECT_EQ(list.count(), 0); // emptied before the open failed
}

TEST_F(ListFiles, SaveClicksEveryItemInOrderAndLeavesTheLastSelected)
{
    ListBox list(QStringLiteral("l"));
    list.setItems({"1", "2", "3", "4", "5"});
    QSignalSpy clicks(&list, &ListBox::clicked);
    Module1::SaveListFile(path("c.ini"), list);
    ASSERT_EQ(clicks.count(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(clicks.at(i).at(0).toInt(), i);
    EXPECT_EQ(list.listIndex(), 4);
    EXPECT_TRUE(QDir(dir.path()).entryList({"*.ini.*", "*~"}, QDir::Files).isEmpty());
}

TEST(Paths, FileNameFromPathAndShortPath)
{
    EXPECT_EQ(Module1::FileNameFromPath("/home/op/My Videos/beach day.mp4"), "beach day.mp4");
    EXPECT_EQ(Module1::FileNameFromPath("/home/op/"), "");
    EXPECT_EQ(Module1::FileNameFromPath("bare.ini"), "bare.ini");
    EXPECT_EQ(Module1::FileNameFromPath(""), "");

    QTemporaryDir dir;
    const QString file = dir.filePath("a b.txt");
    ASSERT_TRUE(TestFiles::write(file, "x"));
    QDir::setCurrent(dir.path());
    EXPECT_EQ(Module1::ShortPath("a b.txt"), file);
    EXPECT_EQ(Module1::ShortPath(dir.filePath("gone.txt")), "");
    EXPECT_EQ(Module1::ShortPath(""), "");
}
