#include "sales/SalesPanel.h"

#include "common/OperatorUi.h"
#include "common/OperatorUi.h"

#include <QFileInfo>

namespace Sales {

SalesPanel::SalesPanel(Common::OperatorUi &ui, QObject *parent) : QObject(parent), ui_(ui)
{
    connect(&lstThbVente, &Common::ListBox::clicked, this,
            [this] { imgThbv.load(lstThbVente.currentText()); });
    connect(&lstBigVente, &Common::ListBox::clicked, this,
            [this] { imgThbB.load(lstBigVente.currentText()); });
}

bool SalesPanel::isPictureName(const QString &path)
{
    const QStringView ending = QStringView(path).right(3);
    return ending == u"jpg" || ending == u"JPG";
}

void SalesPanel::dropIndexImage(const QStringList &files)
{
    if (files.size() > 1) {
        ui_.messageBox(kOneIndexFile, Common::OperatorUi::Buttons::Ok, Common::OperatorUi::Icon::Critical,
                       Common::OperatorUi::kDialogTitle);
        return;
    }
    if (!files.isEmpty() && isPictureName(files.first()))
        lblThb.setText(files.first());
    imgThb.load(lblThb.text());
}

void SalesPanel::dropThumbnails(const QStringList &files)
{
    dropOnGallery(files, lstThbVente, imgThbv);
}

void SalesPanel::dropLargeImages(const QStringList &files)
{
    dropOnGallery(files, lstBigVente, imgThbB);
}

void SalesPanel::dropOnGallery(const QStringList &files, Common::ListBox &list, Common::ImageValue &preview)
{
    for (const QString &path : files) {
        if (!isPictureName(path))
            continue;
        list.addItem(path);
        // A folder named like a picture is no picture.
        if (QFileInfo(path).isDir())
            list.removeItem(list.count() - 1);
    }
    list.setListIndex(list.count() - 1);
    preview.load(list.currentText());
}

} // namespace Sales
