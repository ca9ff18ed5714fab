#pragma once

#include <QWidget>

namespace Common { class ProgressWindow; }
class QLabel;
class QProgressBar;

namespace Widgets {

// The progress window: shown during publishing, its "STOP" ends the program.
class Form3 : public QWidget {
    Q_OBJECT
public:
    Form3(Common::ProgressWindow &state, QWidget *owner = nullptr);

signals:
    void stopClicked();

private:
    void showBar();
    QWidget *makeHiddenConnectionFrame();

    Common::ProgressWindow &state_;
    QProgressBar *pbar_;
};

} // namespace Widgets
