#include "common/DataRootLock.h"

#include "common/DataRoot.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Common {

namespace {

// QDir::mkpath does not say why it failed, and the reason picks the operator's message.
int makePath(const QByteArray &path)
{
    if (::mkdir(path.constData(), 0777) == 0 || errno == EEXIST)
        return 0;
    if (errno != ENOENT)
        return errno;
    const qsizetype slash = path.lastIndexOf('/');
    if (slash <= 0)
        return ENOENT;
    if (const int error = makePath(path.left(slash)))
        return error;
    return ::mkdir(path.constData(), 0777) == 0 || errno == EEXIST ? 0 : errno;
}

bool notOurs(int error)
{
    return error == EROFS || error == EACCES || error == EPERM;
}

} // namespace

DataRootLock::DataRootLock(const QString &root) : cfg_(DataRoot(root).cfg()) {}

DataRootLock::~DataRootLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

DataRootLock::Result DataRootLock::tryLock()
{
    if (fd_ >= 0)
        return Result::Locked;
    if (const int error = makePath(QFile::encodeName(QDir::cleanPath(cfg_)))) {
        error_ = error;
        return notOurs(error) ? Result::NotWritable : Result::Unlocked;
    }
    const QByteArray path = QFile::encodeName(cfg_ + QStringLiteral("/hmanager.lock"));
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        error_ = errno;
        return notOurs(error_) ? Result::NotWritable : Result::Unlocked;
    }
    // An open file description's lock: another open conflicts even in this process, and
    // NFS carries it to the server, so a program elsewhere on a shared data root sees it.
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    if (::fcntl(fd, F_OFD_SETLK, &whole) != 0) {
        error_ = errno;
        ::close(fd);
        // ENOLCK, EINVAL, ENOSYS: no locks here. Refusing would keep the program off such a
        // data root for good, so it runs unlocked and says so.
        return error_ == EAGAIN || error_ == EACCES ? Result::InUse : Result::Unlocked;
    }
    // Never unlinked: a program opening it meanwhile would lock a file nobody else sees.
    // An older program's PID text means nothing now.
    [[maybe_unused]] const int emptied = ::ftruncate(fd, 0);
    fd_ = fd;
    return Result::Locked;
}

QString DataRootLock::refusal(const QString &root)
{
    return QStringLiteral("Le programme est déjà ouvert sur ce dossier de données : %1").arg(QDir::cleanPath(root));
}

QString DataRootLock::notWritable(const QString &root)
{
    return QStringLiteral("Le dossier de données n'est pas accessible en écriture : %1").arg(QDir::cleanPath(root));
}

QString DataRootLock::unlockedLine() const
{
    return QStringLiteral("Verrou du dossier de données impossible : %1 (%2)")
        .arg(QDir::cleanPath(cfg_ + QStringLiteral("/hmanager.lock")), qt_error_string(error_));
}

} // namespace Common
