#pragma once

#include <QWidget>

class SalesPanel;
class SalesPublisher;
class TextValue;

// The sales panel `Picture1` in a window of its own, owned by the main window.
class SalesWindow : public QWidget {
    Q_OBJECT
public:
    SalesWindow(SalesPanel &panel, SalesPublisher &publisher, QWidget *parent);

private:
    void buildImages(QWidget *picture1);
    void buildTexts(QWidget *picture1);
    void buildPublishing(QWidget *picture1);
    void textBox(TextValue &text, const QString &label, const QRect &geometry,
                            QWidget *frame);

    SalesPanel &panel_;
    SalesPublisher &publisher_;
};
