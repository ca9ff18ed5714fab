#pragma once

#include <QObject>
#include <QString>

namespace Common {

// A text box or label that operations read and write; the widget shows it.
class TextValue : public QObject {
    Q_OBJECT
public:
    explicit TextValue(const QString &name, const QString &initial = {}, QObject *parent = nullptr)
        : QObject(parent), text_(initial)
    {
        setObjectName(name);
    }

    const QString &text() const { return text_; }
    void setText(const QString &text)
    {
        if (text == text_)
            return;
        text_ = text;
        emit changed(text_);
    }

signals:
    void changed(const QString &text);

private:
    QString text_;
};

} // namespace Common
