#pragma once

#include <QString>

namespace Common {

// Where the program keeps its files. A copied program keeps them beside itself, as it always
// has; an installed one (under /usr, or in a folder it cannot write) keeps them in the
// operator's data folder, $XDG_DATA_HOME/pendric-hotel-manager.
struct DataRootChoice {
    QString path;
    // A cfg/ beside the program that could not be written: its lists were copied into the
    // operator's folder when that folder had none, so they are not left behind.
    QString adoptedFrom;
    bool adoptedAll = true;

    static DataRootChoice choose(const QString &programFolder);

    // The status line that says which data root is used.
    QString statusLine() const;
};

} // namespace Common
