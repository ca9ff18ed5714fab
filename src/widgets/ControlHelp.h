#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

class QWidget;

namespace Widgets {

// What one control is and does: `name` is what a screen reader calls it, `does` the
// sentence shown on hover and read as its description.
struct ControlHelp {
    QString control; // objectName
    QString name;
    QString does;
};

// A key doing what a click on `control` does: a button's press, a list's double-click on
// its current entry. It works while the list `scope` has the focus, or anywhere in the
// window without one; `label` is the key as written on the keyboard.
struct ControlKey {
    QString control;
    QKeySequence keys;
    QString label;
    QString scope = {};
};

// Each window names its controls in one table; a key shows in its control's tooltip and
// in that of the list it works in.
void explainControls(QWidget *root, const QList<ControlHelp> &help, const QList<ControlKey> &keys = {});

// A window's table kept as a resource: UTF-8, a line a control, its objectName, name and
// sentence apart by tabs; lines beginning with "#" are comments.
QList<ControlHelp> controlHelp(const QString &resource);

} // namespace Widgets
