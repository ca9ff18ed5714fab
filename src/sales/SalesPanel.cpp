#include "sales/SalesPanel.h"

#include "common/OperatorUi.h"
#include "common/OperatorUi.h"

#include <QFileInfo>

SalesPanel::SalesPanel(OperatorUi &ui, QObject *parent) : QObject(parent), ui_(ui)
{
    connect(&lstThbVente, &ListBox::clicked, this,
            [this] { imgThbv.load(lstThbVente.currentText()); });
    connect(&lstBigVente, &ListBox::clicked, this,
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
        ui_.messageBox(kOneIndexFile, OperatorUi::Buttons::Ok, OperatorUi::Icon::Critical,
                       OperatorUi::kDialogTitle);
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

void SalesPanel::dropOnGallery(const QStringList &files, ListBox &list, ImageValue &preview)
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
