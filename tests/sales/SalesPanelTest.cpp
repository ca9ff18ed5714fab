#include "common/OperatorUi.h"
#include "sales/SalesPanel.h"
#include "support/ScriptedOperator.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SalesGalleryDrop, KeepsJpgAndJPGInOrderDropsFoldersAndSelectsTheLast)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("album.jpg"));
    ScriptedOperator ui;
    Sales::SalesPanel panel(ui);
    panel.dropThumbnails({"/p/a.jpg", "/p/b.JPG", "/p/c.jpeg", "/p/d.Jpg", dir.filePath("album.jpg"),
                                "/p/photojpg", "/p/a.jpg"});
    EXPECT_EQ(panel.lstThbVente.items(), (QStringList{"/p/a.jpg", "/p/b.JPG", "/p/photojpg", "/p/a.jpg"}));
    EXPECT_EQ(panel.lstThbVente.listIndex(), 3);
    EXPECT_EQ(panel.imgThbv.path(), "/p/a.jpg");

    panel.dropLargeImages({"/p/c.jpg", "/p/d.jpg"});
    panel.lstBigVente.setListIndex(0);
    EXPECT_EQ(panel.imgThbB.path(), "/p/c.jpg");
    EXPECT_EQ(panel.lstThbVente.count(), 4);
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST(SalesGalleryDrop, OnlyRejectedFilesSelectTheLastExistingEntryOrNothing)
{
    ScriptedOperator ui;
    Sales::SalesPanel panel(ui);
    QSignalSpy previews(&panel.imgThbv, &Common::ImageValue::changed);
    panel.dropThumbnails({"/p/x.png", "/p/y.jpeg"});
    EXPECT_EQ(panel.lstThbVente.listIndex(), -1);
    ASSERT_EQ(previews.count(), 1);
    EXPECT_EQ(previews[0][0].toString(), QString());

    panel.dropThumbnails({"/p/a.jpg", "/p/b.jpg"});
    panel.lstThbVente.setListIndex(0);
    panel.dropThumbnails({"/p/x.png"});
    EXPECT_EQ(panel.lstThbVente.count(), 2);
    EXPECT_EQ(panel.imgThbv.path(), "/p/b.jpg");
}

TEST(SalesIndexDrop, TwoFilesAreRefusedAndARejectedOneKeepsThePath)
{
    ScriptedOperator ui;
    Sales::SalesPanel panel(ui);
    panel.dropIndexImage({"/p/y.jpg"});
    QSignalSpy previews(&panel.imgThb, &Common::ImageValue::changed);

    panel.dropIndexImage({"/p/a.jpg", "/p/b.jpg"});
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_EQ(ui.messages[0].text, "1 seul fichier requis seulement pour la vignette !");
    EXPECT_EQ(ui.messages[0].icon, Common::OperatorUi::Icon::Critical);
    EXPECT_EQ(ui.messages[0].buttons, Common::OperatorUi::Buttons::Ok);
    EXPECT_EQ(ui.messages[0].title, Common::OperatorUi::kDialogTitle);
    EXPECT_EQ(previews.count(), 0);

    panel.dropIndexImage({"/p/x.png"});
    EXPECT_EQ(panel.lblThb.text(), "/p/y.jpg");
    ASSERT_EQ(previews.count(), 1);
    EXPECT_EQ(previews[0][0].toString(), "/p/y.jpg");
}
