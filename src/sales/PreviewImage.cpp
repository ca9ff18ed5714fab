#include "sales/PreviewImage.h"

#include "common/ImageValue.h"

#include <QImageReader>

namespace Sales {

PreviewImage::PreviewImage(Common::ImageValue &image, QWidget *parent) : QLabel(parent)
{
    setObjectName(image.objectName());
    setAlignment(Qt::AlignCenter);
    setMinimumSize(1, 1);
    connect(&image, &Common::ImageValue::changed, this, &PreviewImage::loadFrom);
    loadFrom(image.path());
}

void PreviewImage::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    showScaled();
}

void PreviewImage::loadFrom(const QString &path)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    picture_ = path.isEmpty() ? QPixmap() : QPixmap::fromImage(reader.read());
    showScaled();
}

void PreviewImage::showScaled()
{
    if (picture_.isNull()) {
        clear();
        return;
    }
    setPixmap(picture_.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

} // namespace Sales
