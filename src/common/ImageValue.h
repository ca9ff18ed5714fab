#pragma once

#include "common/TextValue.h"

namespace Common {

// An image control: the path it was last loaded from, as its text. The widget draws the picture.
class ImageValue : public TextValue {
    Q_OBJECT
public:
    explicit ImageValue(const QString &name, QObject *parent = nullptr) : TextValue(name, {}, parent) {}

    const QString &path() const { return text(); }
    // Loads again even from the same path: the file may have changed on disk.
    // The empty path empties the image.
    void load(const QString &path)
    {
        if (path == text())
            emit changed(path);
        else
            setText(path);
    }
};

} // namespace Common
