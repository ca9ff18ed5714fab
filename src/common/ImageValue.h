#pragma once

#include <QObject>
#include <QString>

namespace Common {

// An image control: the path it was last loaded from. The widget draws the picture.
class ImageValue : public QObject {
    Q_OBJECT
public:
    explicit ImageValue(const QString &name, QObject *parent = nullptr) : QObject(parent)
    {
        setObjectName(name);
    }

    const QString &path() const { return path_; }
    // Loads again even from the same path: the file may have changed on disk.
    // The empty path empties the image.
    void load(const QString &path)
    {
        path_ = path;
        emit loaded(path_);
    }

signals:
    void loaded(const QString &path);

private:
    QString path_;
};

} // namespace Common
