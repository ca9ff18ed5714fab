#pragma once

#include <QLockFile>
#include <QString>

namespace Common {

// One program per data root: two would both replace the phrase folder at start and both
// write the category files. The lock of a program that crashed is taken over.
class DataRootLock {
public:
    explicit DataRootLock(const QString &root);

    // False while another program holds the data root; nothing in it is changed then.
    bool tryLock();
    // What the operator is told when it is held.
    static QString refusal(const QString &root);

private:
    QString cfg_;
    QLockFile lock_;
};

} // namespace Common
