#include "ftp/LeftoverSweep.h"

#include "ftp/FtpConnection.h"
#include "ftp/TemporaryNames.h"

#include <memory>

namespace Ftp {

namespace LeftoverSweep {

namespace {

// Shared by the steps' callbacks: a connection lost on the way drops them, and it with them.
struct Steps {
    FtpConnection &link;
    QString folder;
    QStringList lone;
    QStringList dead;
    std::function<void()> done;
};

void removeDead(const std::shared_ptr<Steps> &steps)
{
    if (steps->dead.isEmpty())
        return steps->done();
    const QString name = steps->folder + steps->dead.takeFirst();
    steps->link.request(steps->link.line("DELE", name).value_or(QByteArray()),
                        [steps](const FtpReply &) { removeDead(steps); });
}

void putBack(const std::shared_ptr<Steps> &steps)
{
    if (steps->lone.isEmpty())
        return removeDead(steps);
    const QString aside = steps->lone.takeFirst();
    const QString kept = TemporaryNames::keptBy(aside);
    steps->link.rename(steps->folder + aside, steps->folder + kept, [steps, aside, kept](bool ok, const FtpReply &) {
        if (ok)
            emit steps->link.putBack(kept, aside);
        putBack(steps);
    });
}

} // namespace

void run(FtpConnection &link, const QString &folder, std::function<void()> done)
{
    if (!link.firstUploadInto(folder))
        return done();
    auto steps = std::make_shared<Steps>(Steps{link, folder, {}, {}, std::move(done)});
    const QString listed = folder.size() > 1 ? folder.chopped(1) : folder;
    link.listFolder(listed, [steps](bool ok, const FtpReply &, const QList<RemoteEntry> &entries) {
        steps->link.rememberEntries(steps->folder, entries, ok && steps->link.features().mlsd);
        const TemporaryNames::Sweep sweep = TemporaryNames::sweep(entries);
        steps->lone = sweep.lone;
        steps->dead = sweep.dead;
        putBack(steps);
    });
}

} // namespace LeftoverSweep

} // namespace Ftp
