#include "widgets/TextLabel.h"

#include "common/TextValue.h"

namespace Widgets {

TextLabel::TextLabel(Common::TextValue &value, QWidget *parent) : QLabel(value.text(), parent)
{
    setObjectName(value.objectName());
    connect(&value, &Common::TextValue::changed, this, &QLabel::setText);
}

TextLabel *statusBarLabel(Common::TextValue &value, const QRect &geometry, QWidget *parent)
{
    auto *bar = new TextLabel(value, parent);
    bar->setGeometry(geometry);
    bar->setFrameShape(QFrame::Panel);
    bar->setFrameShadow(QFrame::Sunken);
    return bar;
}

} // namespace Widgets
