#include "common/StatusLog.h"

namespace Common {

StatusLog::StatusLog(QObject *parent) : QObject(parent), lines_(QStringLiteral("lbStatus"))
{
}

void StatusLog::Ajout_Status(const QString &phrase)
{
    if (lines_.count() >= kCapacity)
        lines_.removeItem(0);
    lines_.addItem(phrase);
    lines_.setListIndex(lines_.count() - 1);
}

} // namespace Common
