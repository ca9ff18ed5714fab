#include "hotels/PhraseFacts.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace Hotels {

PhraseFacts::PhraseFacts(const QString &file) : file_(file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return;
    // One file a line: name, size, modify, local size, local time (ms), and the local bytes'
    // digest (none in files of older versions), tab-separated, UTF-8.
    for (const QByteArray &line : in.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() == 5 || fields.size() == 6)
            known_.insert(QString::fromUtf8(fields[0]),
                          Facts{fields[1].toLongLong(), QString::fromUtf8(fields[2]), fields[3].toLongLong(),
                                fields[4].toLongLong(), fields.value(5)});
    }
}

PhraseFacts::Facts PhraseFacts::local(const QString &localCopy, const Facts *was)
{
    const QFileInfo info(localCopy);
    if (!info.isFile())
        return {};
    Facts now{-1, {}, info.size(), info.lastModified().toMSecsSinceEpoch(), {}};
    // The same size and time are the same bytes: read only where they moved.
    if (was && !was->localHash.isEmpty() && was->localSize == now.localSize
        && was->localMtimeMs == now.localMtimeMs) {
        now.localHash = was->localHash;
        return now;
    }
    QFile file(localCopy);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    now.localHash = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
    return now;
}

bool PhraseFacts::storable(const QString &name)
{
    return !name.contains(QLatin1Char('\t')) && !name.contains(QLatin1Char('\n')); // the file's separators
}

const PhraseFacts::Facts *PhraseFacts::knownOf(const QString &name) const
{
    const auto was = known_.constFind(name);
    return was == known_.constEnd() ? nullptr : &*was;
}

bool PhraseFacts::unchanged(const Ftp::RemoteEntry &entry, const QString &localCopy) const
{
    const auto was = known_.constFind(entry.name);
    if (entry.size < 0 || entry.modified.isEmpty() || was == known_.constEnd())
        return false;
    const Facts now = local(localCopy, &*was);
    return was->size == entry.size && was->modified == entry.modified && now.localSize >= 0
           && was->localSize == now.localSize && was->localMtimeMs == now.localMtimeMs;
}

bool PhraseFacts::editedSince(const QString &name, const QString &localCopy) const
{
    const Facts *was = knownOf(name);
    if (!was)
        return true;
    const Facts now = local(localCopy, was);
    if (!was->localHash.isEmpty())
        return was->localHash != now.localHash;
    return was->localSize != now.localSize || was->localMtimeMs != now.localMtimeMs;
}

void PhraseFacts::record(const Ftp::RemoteEntry &entry, const QString &localCopy)
{
    if (entry.size < 0 || entry.modified.isEmpty())
        return;
    keep(entry.name, entry, localCopy);
}

void PhraseFacts::carry(const QString &name)
{
    if (const auto was = known_.constFind(name); was != known_.constEnd())
        recorded_.insert(name, *was);
}

void PhraseFacts::keep(const QString &name, const Ftp::RemoteEntry &entry, const QString &localCopy)
{
    if (!storable(name))
        return;
    Facts facts = local(localCopy, knownOf(name));
    facts.size = entry.size;
    facts.modified = entry.modified;
    if (facts.localSize >= 0)
        recorded_.insert(name, facts);
}

bool PhraseFacts::save() const
{
    QByteArray out;
    for (auto it = recorded_.constBegin(); it != recorded_.constEnd(); ++it)
        out += it.key().toUtf8() + '\t' + QByteArray::number(it->size) + '\t' + it->modified.toUtf8() + '\t'
               + QByteArray::number(it->localSize) + '\t' + QByteArray::number(it->localMtimeMs) + '\t'
               + it->localHash + '\n';
    QSaveFile file(file_);
    return file.open(QIODevice::WriteOnly) && file.write(out) == out.size() && file.commit();
}

std::optional<Ftp::RemoteEntry> PhraseFacts::lastSeen(const QString &name) const
{
    const auto was = known_.constFind(name);
    if (was == known_.constEnd())
        return std::nullopt;
    return Ftp::RemoteEntry{name, false, was->size, was->modified};
}

void PhraseFacts::remember(const Ftp::RemoteEntry &entry, const QString &localCopy)
{
    replace(entry.name, [&] { record(entry, localCopy); });
}

void PhraseFacts::serverChanged(const Ftp::RemoteEntry &entry)
{
    if (!storable(entry.name))
        return;
    Facts facts = known_.value(entry.name);
    facts.size = entry.modified.isEmpty() ? -1 : entry.size;
    facts.modified = entry.modified;
    replace(entry.name, [&] { recorded_.insert(entry.name, facts); });
}

void PhraseFacts::removed(const QString &name, const QString &localCopy)
{
    replace(name, [&] { keep(name, Ftp::RemoteEntry{name}, localCopy); });
}

void PhraseFacts::replace(const QString &name, const std::function<void()> &recordAgain)
{
    recorded_ = known_;
    recorded_.remove(name);
    recordAgain();
    known_ = recorded_;
    save();
}

} // namespace Hotels
