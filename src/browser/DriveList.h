#pragma once

#include <QStringList>

namespace Browser {

// The "drives" of the local pane: the file systems the operator can browse,
// each as its mount folder ending in "/". The root and the home folder are
// always there; removable and hand-made mounts follow.
class DriveList {
public:
    static QStringList entries();

private:
    static bool isUserMount(const QString &rootPath);
};

} // namespace Browser
