#pragma once

class QWidget;

namespace Widgets {

// Tab follows the screen as the operator reads it: row by row from the top, each row
// from the left, whatever order the controls were built in.
void orderTabsByPosition(QWidget *window);

} // namespace Widgets
