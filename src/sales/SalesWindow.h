#pragma once

#include <QWidget>

class SalesPanel;
class TextValue;

// The sales panel `Picture1` in a window of its own, owned by the main window.
class SalesWindow : public QWidget {
    Q_OBJECT
public:
    SalesWindow(SalesPanel &panel, QWidget *parent);

private:
    void buildImages(QWidget *picture1);
    void buildTexts(QWidget *picture1);
    void textBox(TextValue &text, const QString &label, const QRect &geometry,
                            QWidget *frame);

    SalesPanel &panel_;
};
