#pragma once

#include "common/ListBox.h"

namespace Common {

// The status log `lbStatus`: one line per event, the newest selected so the view
// scrolls to it. Only the newest lines are kept so a long session cannot grow it forever.
class StatusLog : public QObject {
    Q_OBJECT
public:
    static constexpr int kCapacity = 32767;

    explicit StatusLog(QObject *parent = nullptr);

    void Ajout_Status(const QString &phrase);

    ListBox &lines() { return lines_; }
    const ListBox &lines() const { return lines_; }
    QStringList all() const { return lines_.items(); }

private:
    ListBox lines_;
};

} // namespace Common
