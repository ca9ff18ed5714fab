#include "common/DataRootLock.h"

#include "common/DataRoot.h"

#include <QDir>

namespace Common {

DataRootLock::DataRootLock(const QString &root)
    : cfg_(DataRoot(root).cfg()), lock_(cfg_ + QStringLiteral("/hmanager.lock"))
{
    lock_.setStaleLockTime(0); // stale only once its program is gone, however long it runs
}

bool DataRootLock::tryLock()
{
    QDir().mkpath(cfg_); // a first start: nobody else can hold it yet
    return lock_.tryLock();
}

QString DataRootLock::refusal(const QString &root)
{
    return QStringLiteral("Le programme est déjà ouvert sur ce dossier de données : %1").arg(QDir::cleanPath(root));
}

} // namespace Common
