#pragma once

#include <QLabel>

namespace Common { class TextValue; }

namespace Widgets {

// A label that always shows a core text value, named after it.
class TextLabel : public QLabel {
    Q_OBJECT
public:
    TextLabel(Common::TextValue &value, QWidget *parent);
};

// The one-line status bar look, for labels showing the FTP client's state.
TextLabel *statusBarLabel(Common::TextValue &value, const QRect &geometry, QWidget *parent);

} // namespace Widgets
