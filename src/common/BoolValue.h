#pragma once

#include <QObject>

namespace Common {

// A flag operations set and a widget follows, such as a button's enabled state.
class BoolValue : public QObject {
    Q_OBJECT
public:
    explicit BoolValue(const QString &name, bool initial = false, QObject *parent = nullptr)
        : QObject(parent), value_(initial)
    {
        setObjectName(name);
    }

    bool value() const { return value_; }
    void setValue(bool value)
    {
        if (value == value_)
            return;
        value_ = value;
        emit changed(value_);
    }

signals:
    void changed(bool value);

private:
    bool value_;
};

} // namespace Common
