#include "app/DropArea.h"
#include "app/Form1.h"
#include "app/Twips.h"
#include "sales/PreviewImage.h"
#include "sales/SalesWindow.h"

#include <QDropEvent>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

ServerProfile unreachable()
{
    return ServerProfile{QStringLiteral("127.0.0.1"), 1, QStringLiteral("pendric"),
                         QStringLiteral("12345678")};
}

QString savePicture(const QTemporaryDir &dir, const QString &name, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    const QString path = dir.filePath(name);
    EXPECT_TRUE(image.save(path, "JPG"));
    return path;
}

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
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &drop);
}

struct OpenedPanel {
    QTemporaryDir root;
    Form1 window{unreachable(), root.path(), [](int) {}};
    SalesWindow *sales = nullptr;

    OpenedPanel()
    {
        QTest::mouseClick(window.findChild<QPushButton *>("cmdVentes"), Qt::LeftButton);
        sales = window.findChild<SalesWindow *>();
    }
    template <class T> T *child(const char *name) { return sales->findChild<T *>(name); }
};

} // namespace

TEST(SalesWindow, VentesOpensThePanelAsAWindowOfTheMainOne)
{
    OpenedPanel p;
    auto *button = p.window.findChild<QPushButton *>("cmdVentes");
    EXPECT_EQ(button->text(), "Ventes");
    EXPECT_EQ(button->geometry(), twipsRect(120, 120, 1335, 375));
    ASSERT_NE(p.sales, nullptr);
    EXPECT_TRUE(p.sales->isVisible());
    EXPECT_TRUE(p.sales->isWindow());
    EXPECT_NE(p.child<QWidget>("Picture1"), nullptr);

    QStringList frames;
    for (auto *box : p.sales->findChildren<QGroupBox *>())
        frames.append(box->title());
    EXPECT_TRUE(frames.contains(" Images ") && frames.contains(" Textes ")) << frames.join('|').toStdString();
    for (const char *name : {"Picture2", "Picture3", "Picture4"})
        EXPECT_NE(p.child<DropArea>(name), nullptr) << name;
    for (const char *name : {"imgThb", "imgThbv", "imgThbB"})
        EXPECT_NE(p.child<PreviewImage>(name), nullptr) << name;
    EXPECT_EQ(p.child<QLineEdit>("txtRef")->text(), "ref001");
    for (const char *name : {"Command13", "Command14", "Command15", "Command16", "Command17", "Command18",
                             "Command19", "Command23"})
        EXPECT_NE(p.child<QPushButton>(name), nullptr) << name;
    QStringList labels;
    for (auto *label : p.sales->findChildren<QLabel *>())
        labels.append(label->text());
    for (const char *caption : {"Index", "Miniatures", "Grandes", "TOUT", "Court", "Descriptif"})
        EXPECT_TRUE(labels.contains(caption)) << caption;
    EXPECT_EQ(labels.count("TOUT"), 2);

    // Opening again shows the same window.
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(p.window.findChildren<SalesWindow *>().size(), 1);
}

TEST(SalesWindow, DroppedPicturesArePreviewedWithoutDistortionOrEmptied)
{
    QTemporaryDir pictures;
    const QString wide = savePicture(pictures, "wide.jpg", {800, 200});
    const QString tall = savePicture(pictures, "tall.JPG", {100, 400});
    OpenedPanel p;

    dropFiles(p.child<DropArea>("Picture3"), {wide, tall});
    auto *thumb = p.child<PreviewImage>("imgThbv");
    ASSERT_EQ(p.window.manager().sales().imgThbv.path(), tall);
    ASSERT_TRUE(thumb->hasPicture());
    QSize shown = thumb->pixmap().size();
    EXPECT_EQ(shown.height(), thumb->height());
    EXPECT_NEAR(shown.width(), thumb->height() / 4, 1);
    EXPECT_EQ(p.child<QListView>("lstThbVente")->model()->rowCount(), 2);

    dropFiles(p.child<DropArea>("Picture2"), {wide});
    auto *index = p.child<PreviewImage>("imgThb");
    ASSERT_TRUE(index->hasPicture());
    shown = index->pixmap().size();
    EXPECT_EQ(shown.width(), index->width());
    EXPECT_NEAR(shown.height(), index->width() / 4, 1);
    EXPECT_EQ(p.child<QLabel>("lblThb")->text(), wide);

    // A picture name whose file cannot be read leaves the preview empty.
    dropFiles(p.child<DropArea>("Picture2"), {pictures.filePath("gone.jpg")});
    EXPECT_FALSE(index->hasPicture());
    dropFiles(p.child<DropArea>("Picture4"), {pictures.filePath("x.png")});
    EXPECT_FALSE(p.child<PreviewImage>("imgThbB")->hasPicture());
}

TEST(SalesWindow, TypingAndXButtonsReachThePanel)
{
    OpenedPanel p;
    SalesPanel &panel = p.window.manager().sales();
    auto *ref = p.child<QLineEdit>("txtRef");
    ref->clear();
    QTest::keyClicks(ref, "villa7");
    EXPECT_EQ(panel.txtRef.text(), "villa7");

    QTest::keyClicks(p.child<QPlainTextEdit>("txtCourt"), "Belle vue");
    EXPECT_EQ(panel.txtCourt.text(), "Belle vue");
    panel.txtDesc.setText("Grande maison");
    EXPECT_EQ(p.child<QPlainTextEdit>("txtDesc")->toPlainText(), "Grande maison");

    QTest::mouseClick(p.child<QPushButton>("Command21"), Qt::LeftButton);
    EXPECT_EQ(panel.txtCourt.text(), QString());
    EXPECT_EQ(p.child<QPlainTextEdit>("txtCourt")->toPlainText(), QString());
    EXPECT_EQ(panel.txtDesc.text(), "Grande maison");
}
