#pragma once

#include "common/TextValue.h"

#include <QObject>

namespace Common {

class OperatorUi;

// The state of the progress window `Form3`: its bar `pbar`, its caption `lblMaj`,
// and a detail line for long transfers. The window itself is the operator's side.
class ProgressWindow : public QObject {
    Q_OBJECT
public:
    static inline const QString kDefaultCaption = QStringLiteral("Mise à jour ...");

    explicit ProgressWindow(OperatorUi &ui, QObject *parent = nullptr);

    // Only -1 counts as true: shows the window and disables the main one.
    void frmWait(int WaitVal);
    // Loading the window by another path (the browser's "Connect") shows it.
    void load();
    bool isShown() const { return shown_; }

    float min() const { return min_; }
    float max() const { return max_; }
    float value() const { return value_; }
    void setMin(float v);
    void setMax(float v);
    void setValue(float v);
    // The protocol's start: minimum 0, then the value, then the maximum.
    void setRange(float start, float maximum);
    void advance() { setValue(value_ + 1); }

    TextValue lblMaj{QStringLiteral("lblMaj"), kDefaultCaption};
    TextValue detail{QStringLiteral("lblDetail")};

signals:
    void barChanged();
    void valueSet(float value);

private:
    OperatorUi &ui_;
    bool shown_ = false;
    float min_ = 0;
    float max_ = 100;
    float value_ = 0;
};

} // namespace Common
