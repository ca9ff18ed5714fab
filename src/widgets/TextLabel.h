#pragma once

#include <QLabel>

class TextValue;

// A label that always shows a core text value, named after it.
class TextLabel : public QLabel {
    Q_OBJECT
public:
    TextLabel(TextValue &value, QWidget *parent);
};

// The one-line status bar look, for labels showing the FTP client's state.
TextLabel *statusBarLabel(TextValue &value, const QRect &geometry, QWidget *parent);
