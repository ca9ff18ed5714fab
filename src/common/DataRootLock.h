#pragma once

#include <QString>

namespace Common {

// One program per data root: two would both replace the phrase folder at start and both
// write the category files. The lock is the kernel's, on an open of cfg/hmanager.lock: it
// ends with its program however that ends (the program leaves through _Exit), also for a
// program on another machine sharing the data root over the network.
class DataRootLock {
public:
    enum class Result {
        Locked,
        InUse,       // another program holds it; nothing in the data root is changed
        NotWritable, // the lock file cannot be made or opened for writing
        Unlocked,    // no locks on this file system, or another failure: the program goes on
    };

    explicit DataRootLock(const QString &root);
    ~DataRootLock();
    DataRootLock(const DataRootLock &) = delete;
    DataRootLock &operator=(const DataRootLock &) = delete;

    Result tryLock();
    // What the operator is told on InUse and on NotWritable.
    static QString refusal(const QString &root);
    static QString notWritable(const QString &root);
    // The status line on Unlocked.
    QString unlockedLine() const;

private:
    QString cfg_;
    int fd_ = -1;
    int error_ = 0;
};

} // namespace Common
