#include "widgets/DropArea.h"
#include "app/Form1.h"
#include "widgets/Twips.h"
#include "sales/PreviewImage.h"
#include "sales/SalesWindow.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A drop from the file manager: file URLs entering the area, then dropped.
void dropFiles(QWidget *area, const QStringList &paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls.append(QUrl::fromLocalFile(path));
    data.setUrls(urls);
    const QPoint at = area->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &drop);
}

struct OpenedPanel {
    QTemporaryDir root;
    App::Form1 window{Common::ServerProfile{"127.0.0.1", 1, "pendric", "12345678"}, root.path(), [](int) {}};
    Sales::SalesWindow *sales = nullptr;

    OpenedPanel()
    {
        QTest::mouseClick(window.findChild<QPushButton *>("cmdVentes"), Qt::LeftButton);
        sales = window.findChild<Sales::SalesWindow *>();
    }
    template <class T> T *child(const char *name) { return sales->findChild<T *>(name); }
};

} // namespace

TEST(SalesWindow, VentesOpensThePanelAndItsTextBoxesFeedThePanel)
{
    OpenedPanel p;
    EXPECT_EQ(p.window.findChild<QPushButton *>("cmdVentes")->geometry(), Widgets::twipsRect(120, 120, 1335, 375));
    ASSERT_NE(p.sales, nullptr);
    EXPECT_TRUE(p.sales->isVisible() && p.sales->isWindow());

    Sales::SalesPanel &panel = p.window.manager().sales();
    auto *ref = p.child<QLineEdit>("txtRef");
    EXPECT_EQ(ref->text(), "ref001");
    QTest::keyClicks(ref, "b");
    EXPECT_EQ(panel.txtRef.text(), "ref001b");
    QTest::keyClicks(p.child<QPlainTextEdit>("txtCourt"), "Belle vue");
    EXPECT_EQ(panel.txtCourt.text(), "Belle vue");
    QTest::mouseClick(p.child<QPushButton>("Command21"), Qt::LeftButton);
    EXPECT_EQ(p.child<QPlainTextEdit>("txtCourt")->toPlainText(), QString());
}

TEST(SalesWindow, DroppedPicturesArePreviewedWithoutDistortionOrEmptied)
{
    QTemporaryDir pictures;
    for (auto [name, size] : {std::pair{"wide.jpg", QSize(800, 200)}, std::pair{"tall.JPG", QSize(100, 400)}}) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        ASSERT_TRUE(image.save(pictures.filePath(name), "JPG"));
    }
    OpenedPanel p;

    dropFiles(p.child<Widgets::DropArea>("Picture3"), {pictures.filePath("wide.jpg"), pictures.filePath("tall.JPG")});
    auto *thumb = p.child<Sales::PreviewImage>("imgThbv");
    ASSERT_TRUE(thumb->hasPicture());
    EXPECT_EQ(thumb->pixmap().height(), thumb->height());
    EXPECT_NEAR(thumb->pixmap().width(), thumb->height() / 4, 1);

    dropFiles(p.child<Widgets::DropArea>("Picture2"), {pictures.filePath("wide.jpg")});
    auto *index = p.child<Sales::PreviewImage>("imgThb");
    ASSERT_TRUE(index->hasPicture());
    EXPECT_EQ(index->pixmap().width(), index->width());
    EXPECT_NEAR(index->pixmap().height(), index->width() / 4, 1);

    // A picture name whose file cannot be read leaves the preview empty.
    dropFiles(p.child<Widgets::DropArea>("Picture2"), {pictures.filePath("gone.jpg")});
    EXPECT_FALSE(index->hasPicture());
}
