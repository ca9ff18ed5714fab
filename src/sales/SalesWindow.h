#pragma once

#include <QWidget>

namespace Common { class TextValue; }

namespace Sales {

class SalesPanel;
class SalesPublisher;

// The sales panel `Picture1` in a window of its own, owned by the main window.
class SalesWindow : public QWidget {
    Q_OBJECT
public:
    SalesWindow(SalesPanel &panel, SalesPublisher &publisher, QWidget *parent);

private:
    void buildImages(QWidget *picture1);
    void buildTexts(QWidget *picture1);
    void buildPublishing(QWidget *picture1);
    void explain();
    void textBox(Common::TextValue &text, const QString &label, const QRect &geometry,
                            QWidget *frame);

    SalesPanel &panel_;
    SalesPublisher &publisher_;
};

} // namespace Sales
