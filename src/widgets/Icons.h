#pragma once

#include <QIcon>

namespace Widgets {

// The pictures of the picture buttons, drawn in code so the executable needs no files.
namespace Icons {
QIcon plus();
QIcon minus();
QIcon erase();    // the letters EFF
QIcon diskette();
QIcon folderOne();
QIcon folderArrow();
QIcon dropArea(); // shown in the drop areas
QIcon padlock(bool open = false);  // beside the status bar: closed while encrypted, open when TLS was refused
} // namespace Icons

} // namespace Widgets
