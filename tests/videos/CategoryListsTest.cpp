#include "common/DataRoot.h"
#include "common/Module1.h"
#include "common/StatusLog.h"
#include "videos/CategoryLists.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct SavedCategories : ::testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(root.cfg()));
        Common::Module1::SaveListFile(root.categoryFile("night"), QStringList{"/v/one.mp4", "/v/two.mp4"});
        lists.loadAll(root);
    }

    QTemporaryDir dir;
    Common::DataRoot root{dir.path()};
    Common::StatusLog status;
    Videos::CategoryLists lists;
};

} // namespace

TEST_F(SavedCategories, SaveWritesTheListThenLogsItsMessageWithTheLastItemSelected)
{
    Common::ListBox &night = lists.list("night");
    night.addItem("/v/trois vidéos.mp4");
    night.setListIndex(0);
    lists.save(2, root, status);
    EXPECT_EQ(Common::Module1::readListFile(root.categoryFile("night")),
              (QStringList{"/v/one.mp4", "/v/two.mp4", "/v/trois vidéos.mp4"}));
    EXPECT_EQ(status.all(), QStringList{"Night: votre selection a été sauvegardée avec succès"});
    EXPECT_EQ(night.listIndex(), 2);
}

TEST_F(SavedCategories, ClearThenSaveWritesAnEmptyFile)
{
    lists.list("night").clear();
    lists.save(2, root, status);
    QFile file(root.categoryFile("night"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray());
    EXPECT_EQ(status.all(), QStringList{"Night: votre selection a été sauvegardée avec succès"});
}

TEST_F(SavedCategories, ClearThenRestartWithoutSaveShowsTheSavedSelectionAgain)
{
    lists.list("night").clear();
    Videos::CategoryLists restarted;
    restarted.loadAll(root);
    EXPECT_EQ(restarted.list("night").items(), (QStringList{"/v/one.mp4", "/v/two.mp4"}));
}

TEST_F(SavedCategories, SaveThatCannotWriteLogsAnErrorLineAndKeepsTheList)
{
    ASSERT_TRUE(QDir(root.cfg()).removeRecursively());
    lists.save(2, root, status);
    ASSERT_EQ(status.all().size(), 1);
    EXPECT_TRUE(status.all().first().startsWith("Night: ERREUR")) << status.all().first().toStdString();
    EXPECT_EQ(lists.list("night").count(), 2);

    ASSERT_TRUE(QDir().mkpath(root.cfg()));
    lists.list("services").addItem("/v/hors cp1252 \u4e2d.mp4");
    lists.save(4, root, status);
    EXPECT_TRUE(status.all().last().startsWith("Services: ERREUR"));
    EXPECT_FALSE(QFile::exists(root.categoryFile("services")));
}
