#include "videos/TransferDetail.h"

#include "common/TextValue.h"
#include "ftp/FtpSession.h"

#include <QLocale>

namespace Videos {

namespace {

QString megabytes(double bytes)
{
    return QLocale(QLocale::French).toString(bytes / 1e6, 'f', 1) + QStringLiteral(" Mo");
}

QString duration(qint64 seconds)
{
    const QLatin1Char zero('0');
    const QString minutes = QStringLiteral("%1:%2")
                                .arg(seconds / 60 % 60, seconds < 3600 ? 1 : 2, 10, zero)
                                .arg(seconds % 60, 2, 10, zero);
    return seconds < 3600 ? minutes : QString::number(seconds / 3600) + QLatin1Char(':') + minutes;
}

} // namespace

TransferDetail::TransferDetail(Ftp::FtpSession &ftp, Common::TextValue &detail, QObject *parent)
    : QObject(parent), detail_(detail)
{
    refresh_.setInterval(kRefreshMs);
    connect(&refresh_, &QTimer::timeout, this, &TransferDetail::show);
    connect(&ftp, &Ftp::FtpSession::transferProgress, this, &TransferDetail::record);
    connect(&ftp, &Ftp::FtpSession::retrying, this, &TransferDetail::pause);
}

void TransferDetail::pause(const QString &, int attempt, int tries)
{
    if (!active_)
        return;
    // What the broken try had sent means nothing now; the new try counts afresh.
    refresh_.stop();
    done_ = 0;
    detail_.setText(QStringLiteral("Coupure: reprise après coupure (%1/%2)...").arg(attempt).arg(tries));
}

void TransferDetail::begin()
{
    done_ = 0;
    total_ = -1;
    active_ = true;
    clock_.start();
    refresh_.start();
}

void TransferDetail::end()
{
    active_ = false;
    refresh_.stop();
}

void TransferDetail::record(qint64 done, qint64 total)
{
    if (!active_)
        return;
    const bool first = done_ == 0;
    done_ = done;
    total_ = total;
    if (!first)
        return;
    if (!refresh_.isActive()) { // a new try after a break
        clock_.start();
        refresh_.start();
    }
    show();
}

void TransferDetail::show()
{
    const double seconds = std::max<qint64>(clock_.elapsed(), 1) / 1000.0;
    const double speed = done_ / seconds;
    QString text = megabytes(done_) + QStringLiteral(" envoyés");
    if (total_ > 0)
        text += QStringLiteral(" sur ") + megabytes(total_);
    text += QStringLiteral(" - ") + megabytes(speed) + QStringLiteral("/s");
    if (total_ > 0 && speed > 0)
        text += QStringLiteral(" - reste ") + duration(static_cast<qint64>((total_ - done_) / speed + 0.5));
    detail_.setText(text);
}

} // namespace Videos
