#pragma once

#include <QLabel>
#include <QPixmap>

namespace Common { class ImageValue; }

namespace Sales {

// Shows the picture an ImageValue was loaded from, scaled to fit without distortion.
// A path that cannot be read as a picture leaves the preview empty.
class PreviewImage : public QLabel {
    Q_OBJECT
public:
    explicit PreviewImage(Common::ImageValue &image, QWidget *parent = nullptr);

    bool hasPicture() const { return !picture_.isNull(); }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void loadFrom(const QString &path);
    void showScaled();

    QPixmap picture_;
};

} // namespace Sales
