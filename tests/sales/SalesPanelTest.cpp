#include "app/HotelManager.h"
#include "sales/SalesPanel.h"
#include "support/ScriptedOperator.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Panel {
    ScriptedOperator ui;
    SalesPanel panel{ui};
};

} // namespace

TEST(SalesGalleryDrop, KeepsJpgAndJPGInDropOrderAndSelectsTheLast)
{
    Panel p;
    QSignalSpy previews(&p.panel.imgThbv, &ImageValue::loaded);
    p.panel.Picture3_OLEDragDrop({"/p/a.jpg", "/p/b.JPG", "/p/c.jpeg", "/p/d.Jpg", "/p/photojpg", "/p/a.jpg"});
    EXPECT_EQ(p.panel.lstThbVente.items(), (QStringList{"/p/a.jpg", "/p/b.JPG", "/p/photojpg", "/p/a.jpg"}));
    EXPECT_EQ(p.panel.lstThbVente.listIndex(), 3);
    EXPECT_EQ(p.panel.imgThbv.path(), "/p/a.jpg");
    EXPECT_GE(previews.count(), 1);
    EXPECT_EQ(p.panel.lstBigVente.count(), 0);

    p.panel.Picture4_OLEDragDrop({"/p/big.jpg"});
    EXPECT_EQ(p.panel.lstBigVente.items(), QStringList{"/p/big.jpg"});
    EXPECT_EQ(p.panel.imgThbB.path(), "/p/big.jpg");
    EXPECT_TRUE(p.ui.messages.isEmpty());
}

TEST(SalesGalleryDrop, AFolderNamedLikeAPictureDoesNotStay)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("album.jpg"));
    Panel p;
    p.panel.Picture4_OLEDragDrop({dir.filePath("album.jpg"), "/p/x.jpg", dir.filePath("album.jpg")});
    EXPECT_EQ(p.panel.lstBigVente.items(), QStringList{"/p/x.jpg"});
    EXPECT_EQ(p.panel.lstBigVente.listIndex(), 0);
}

TEST(SalesGalleryDrop, OnlyRejectedFilesSelectTheLastExistingEntryOrNothing)
{
    Panel p;
    QSignalSpy previews(&p.panel.imgThbv, &ImageValue::loaded);
    p.panel.Picture3_OLEDragDrop({"/p/x.png", "/p/y.jpeg"});
    EXPECT_EQ(p.panel.lstThbVente.count(), 0);
    EXPECT_EQ(p.panel.lstThbVente.listIndex(), -1);
    ASSERT_EQ(previews.count(), 1);
    EXPECT_EQ(previews.last().at(0).toString(), QString());

    p.panel.Picture3_OLEDragDrop({"/p/a.jpg", "/p/b.jpg"});
    p.panel.lstThbVente.setListIndex(0);
    p.panel.Picture3_OLEDragDrop({"/p/x.png"});
    EXPECT_EQ(p.panel.lstThbVente.count(), 2);
    EXPECT_EQ(p.panel.lstThbVente.listIndex(), 1);
    EXPECT_EQ(p.panel.imgThbv.path(), "/p/b.jpg");
}

TEST(SalesListClick, LoadsThePreviewOfTheClickedEntry)
{
    Panel p;
    p.panel.Picture3_OLEDragDrop({"/p/a.jpg", "/p/b.jpg"});
    p.panel.Picture4_OLEDragDrop({"/p/c.jpg", "/p/d.jpg"});
    p.panel.lstThbVente.setListIndex(0);
    p.panel.lstBigVente.setListIndex(0);
    EXPECT_EQ(p.panel.imgThbv.path(), "/p/a.jpg");
    EXPECT_EQ(p.panel.imgThbB.path(), "/p/c.jpg");
}

TEST(SalesIndexDrop, TwoFilesShowTheMessageAndChangeNothing)
{
    Panel p;
    p.panel.Picture2_OLEDragDrop({"/p/y.jpg"});
    QSignalSpy previews(&p.panel.imgThb, &ImageValue::loaded);
    p.panel.Picture2_OLEDragDrop({"/p/a.jpg", "/p/b.jpg"});
    ASSERT_EQ(p.ui.messages.size(), 1);
    EXPECT_EQ(p.ui.messages[0].text, "1 seul fichier requis seulement pour la vignette !");
    EXPECT_EQ(p.ui.messages[0].icon, OperatorUi::Icon::Critical);
    EXPECT_EQ(p.ui.messages[0].buttons, OperatorUi::Buttons::Ok);
    EXPECT_EQ(p.ui.messages[0].title, HotelManager::kDialogTitle);
    EXPECT_EQ(p.panel.lblThb.text(), "/p/y.jpg");
    EXPECT_EQ(previews.count(), 0);
}

TEST(SalesIndexDrop, ARejectedFileKeepsThePathAndReloadsItsPreview)
{
    Panel p;
    p.panel.Picture2_OLEDragDrop({"/p/x.png"});
    EXPECT_EQ(p.panel.lblThb.text(), QString());
    p.panel.Picture2_OLEDragDrop({"/p/y.jpg"});
    QSignalSpy previews(&p.panel.imgThb, &ImageValue::loaded);
    p.panel.Picture2_OLEDragDrop({"/p/x.png"});
    EXPECT_EQ(p.panel.lblThb.text(), "/p/y.jpg");
    ASSERT_EQ(previews.count(), 1);
    EXPECT_EQ(previews[0].at(0).toString(), "/p/y.jpg");
    EXPECT_TRUE(p.ui.messages.isEmpty());
}

TEST(SalesPanelStart, StartsAtRef001WithEverythingElseEmptyAndXEmptiesOneText)
{
    Panel p;
    EXPECT_EQ(p.panel.txtRef.text(), "ref001");
    p.panel.txtCourt.setText("court");
    p.panel.txtDesc.setText("long");
    p.panel.Command21_Click();
    EXPECT_EQ(p.panel.txtCourt.text(), QString());
    EXPECT_EQ(p.panel.txtDesc.text(), "long");
    p.panel.Command22_Click();
    EXPECT_EQ(p.panel.txtDesc.text(), QString());
}
