#include "widgets/DropArea.h"
#include "app/HotelManager.h"
#include "widgets/ListBoxView.h"
#include "common/Module1.h"
#include "support/ScriptedOperator.h"
#include "videos/CategoryArea.h"

#include <QDir>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

struct CategoryAreaTest : ::testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(dir.filePath("videos/un dossier")));
        ASSERT_TRUE(QDir().mkpath(dir.filePath("cfg")));
        for (const char *name : {"a.mp4", "b vidéo.mp4", "c.avi"}) {
            QFile file(dir.filePath(QStringLiteral("videos/") + name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        client.resize(800, 920);
        client.show();
    }

    QString video(const QString &name) const { return dir.filePath("videos/" + name); }

    // What the file manager hands over: file URLs in its order.
    void drop(const QString &area, const QStringList &paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls.append(QUrl::fromLocalFile(path));
        data.setUrls(urls);
        dropData(area, data);
    }

    // A drop event outside a running drag never reaches the widget, so the area's
    // signal carries what its drop handler would have read from the data.
    void dropData(const QString &area, const QMimeData &data)
    {
        auto *target = client.findChild<Widgets::DropArea *>(area);
        ASSERT_NE(target, nullptr) << area.toStdString();
        emit target->filesDropped(Widgets::DropArea::localPaths(&data));
    }

    void click(const QString &button)
    {
        auto *b = client.findChild<QPushButton *>(button);
        ASSERT_NE(b, nullptr) << button.toStdString();
        QTest::mouseClick(b, Qt::LeftButton);
    }

    QTemporaryDir dir;
    ScriptedOperator op;
    App::HotelManager manager{Common::ServerProfile{"127.0.0.1", 1, "pendric", "12345678"}, dir.path(), op};
    QWidget client;
    Videos::CategoryArea *area = new Videos::CategoryArea({manager.categories(), manager.videos(), manager.root(), manager.status()}, &client);
    Common::ListBox &plages = manager.categories().list("plages");
};

} // namespace

TEST_F(CategoryAreaTest, DroppedFilesAreAppendedInOrderWithoutFoldersAndTheLastSelected)
{
    drop("p2_plages", {video("a.mp4"), video("un dossier"), video("b vidéo.mp4"), video("c.avi")});
    EXPECT_EQ(plages.items(), (QStringList{video("a.mp4"), video("b vidéo.mp4"), video("c.avi")}));
    EXPECT_EQ(plages.listIndex(), 2);
    auto *view = client.findChild<Widgets::ListBoxView *>("l2_plages");
    EXPECT_EQ(view->currentIndex().row(), 2);

    drop("p2_plages", {video("a.mp4")});
    EXPECT_EQ(plages.count(), 4);
    EXPECT_EQ(plages.item(3), video("a.mp4"));
    EXPECT_EQ(manager.categories().list("restaurants").count(), 0);
}

TEST_F(CategoryAreaTest, DropsOfOnlyFoldersOrWithoutFilesAddNothing)
{
    drop("p6_docs", {video("un dossier"), dir.path()});
    Common::ListBox &docs = manager.categories().list("documentaires");
    EXPECT_EQ(docs.count(), 0);
    EXPECT_EQ(docs.listIndex(), -1);

    docs.setItems({video("a.mp4"), video("c.avi")});
    docs.setListIndex(0);
    QMimeData text;
    text.setText("a.mp4");
    dropData("p6_docs", text);
    EXPECT_EQ(docs.count(), 2);
    EXPECT_EQ(docs.listIndex(), 1);
}

TEST_F(CategoryAreaTest, SaveAndClearButtonsWorkOnTheirOwnCategory)
{
    drop("p2_plages", {video("a.mp4"), video("c.avi")});
    click("Command26");
    EXPECT_EQ(Common::Module1::readListFile(manager.root().categoryFile("plages")),
              (QStringList{video("a.mp4"), video("c.avi")}));
    EXPECT_EQ(manager.status().all(), QStringList{"Plages: votre selection a été sauvegardée avec succès"});

    click("Command27");
    EXPECT_EQ(plages.count(), 0);
    EXPECT_EQ(Common::Module1::readListFile(manager.root().categoryFile("plages")).size(), 2);
}

TEST_F(CategoryAreaTest, PagesSwitchAndListsKeepTheirItemsAndSelection)
{
    auto *p1 = client.findChild<QWidget *>("p1");
    auto *p2 = client.findChild<QWidget *>("p2");
    auto *title = client.findChild<QLabel *>("txtPict");
    EXPECT_TRUE(p1->isVisible());
    EXPECT_FALSE(p2->isVisible());
    EXPECT_EQ(title->text(), "RESTAURANTS - PLAGES - NIGHT");
    drop("p2_plages", {video("a.mp4"), video("c.avi")});
    plages.setListIndex(0);

    click("Command47");
    EXPECT_FALSE(p1->isVisible());
    EXPECT_TRUE(p2->isVisible());
    EXPECT_EQ(title->text(), "BOUTIQUES - SERVICES - DOCUMENTAIRES");
    click("Command47");
    EXPECT_TRUE(p2->isVisible());

    click("Command45");
    EXPECT_TRUE(p1->isVisible());
    EXPECT_FALSE(p2->isVisible());
    EXPECT_EQ(title->text(), "RESTAURANTS - PLAGES - NIGHT");
    EXPECT_EQ(plages.count(), 2);
    EXPECT_EQ(plages.listIndex(), 0);
}

TEST_F(CategoryAreaTest, EachCategorySitsInItsColumnOfItsPage)
{
    const struct { const char *list, *page; int left; } columns[] = {
        {"l1_restaurants", "p1", 0}, {"l2_plages", "p1", 3240}, {"l3_night", "p1", 6480},
        {"l4_boutiques", "p2", 0}, {"l5_services", "p2", 3240}, {"l6_docs", "p2", 6480}};
    for (const auto &c : columns) {
        auto *page = client.findChild<QWidget *>(c.page);
        auto *view = page->findChild<Widgets::ListBoxView *>(c.list);
        ASSERT_NE(view, nullptr) << c.list;
        EXPECT_EQ(view->mapTo(page, QPoint(0, 0)), QPoint(c.left / 15, 2160 / 15)) << c.list;
    }
    EXPECT_EQ(client.findChild<QWidget *>("p1")->mapTo(&client, QPoint(0, 0)), QPoint(120 / 15, 8280 / 15));
    auto *docsLabel = client.findChild<QLabel *>("Label22");
    EXPECT_EQ(docsLabel->text(), "Documentaires");
    EXPECT_EQ(docsLabel->width(), 1335 / 15);
    EXPECT_EQ(client.findChild<QPushButton *>("Command64")->parentWidget(),
              client.findChild<Widgets::ListBoxView *>("l6_docs")->parentWidget());
}

TEST_F(CategoryAreaTest, PublishingButtonsReachThePublisher)
{
    auto *all = client.findChild<QPushButton *>("Command44");
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(all->text(), "===>");
    EXPECT_EQ(all->mapTo(&client, QPoint(0, 0)), QPoint(10080 / 15, 7800 / 15));

    plages.setItems({video("a.mp4")});
    click("Command48"); // "->" with nothing selected
    EXPECT_EQ(op.cursorChanges, (QList<bool>{true, false}));
    plages.clear();
    click("Command44"); // six "=>" over empty lists
    EXPECT_EQ(op.cursorChanges.size(), 2 + 2) << "one hourglass for the one action";
    EXPECT_TRUE(manager.status().all().isEmpty());
}
