#pragma once

#include <QWidget>

class ProgressWindow;
class QLabel;
class QProgressBar;

// The progress window: shown during publishing, its "STOP" ends the program.
class Form3 : public QWidget {
    Q_OBJECT
public:
    Form3(ProgressWindow &state, QWidget *owner = nullptr);

signals:
    void stopClicked();

private:
    void showBar();
    QWidget *makeHiddenConnectionFrame();

    ProgressWindow &state_;
    QProgressBar *pbar_;
};
