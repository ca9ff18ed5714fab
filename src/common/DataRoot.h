#pragma once

#include <QString>
#include <QStringList>

namespace Common {

// The program's own folder and the local files under it.
class DataRoot {
public:
    explicit DataRoot(const QString &root);

    const QString &path() const { return root_; }
    QString cfg() const;
    QString textes() const;
    QString temp() const;
    QString categoryFile(const QString &key) const;
    // What the server said of each phrase file when it last arrived or was published.
    QString phraseFacts() const;

    // Creates cfg, cfg/textes and temp where missing; returns the folders that could not be made.
    QStringList ensureFolders() const;

private:
    QString root_;
};

} // namespace Common
