#pragma once

#include <QPushButton>
#include <QWidget>

namespace Common { class BoolValue; class ListBox; }
class QLineEdit;
namespace Common { class TextValue; }

namespace Browser {

class FtpBrowser;

// The manual FTP browser's window: `Frame1` with the local pane and its buttons,
// the remote pane on the session's listing, the editing mode's buttons and the
// client's status text. Every widget is a view of core state.
class BrowserWindow : public QWidget {
    Q_OBJECT
public:
    BrowserWindow(FtpBrowser &browser, QWidget *owner);

private:
    void buildFrame1();
    void buildRemotePane();
    void explain();
    template <typename Target>
    static QPushButton *button(const QString &name, const QString &caption, const QRect &geometry,
                               QWidget *parent, Target *target, void (Target::*reaction)())
    {
        auto *button = new QPushButton(caption, parent);
        button->setObjectName(name);
        button->setGeometry(geometry);
        QObject::connect(button, &QPushButton::clicked, target, reaction);
        return button;
    }
    QLineEdit *pathField(Common::TextValue &text, const QRect &geometry, QWidget *parent);
    void listView(Common::ListBox &list, const QRect &geometry, QWidget *parent,
                  void (FtpBrowser::*doubleClick)());
    void label(const QString &name, const QRect &geometry, QWidget *parent);
    static void followEnabled(QPushButton *button, Common::BoolValue &enabled);

    FtpBrowser &browser_;
};

} // namespace Browser
