#include "widgets/TextLabel.h"

#include "common/TextValue.h"

TextLabel::TextLabel(TextValue &value, QWidget *parent) : QLabel(value.text(), parent)
{
    setObjectName(value.objectName());
    connect(&value, &TextValue::changed, this, &QLabel::setText);
}

TextLabel *statusBarLabel(TextValue &value, const QRect &geometry, QWidget *parent)
{
    auto *bar = new TextLabel(value, parent);
    bar->setGeometry(geometry);
    bar->setFrameShape(QFrame::Panel);
    bar->setFrameShadow(QFrame::Sunken);
    return bar;
}
