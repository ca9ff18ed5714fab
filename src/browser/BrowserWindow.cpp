#include "browser/BrowserWindow.h"

#include "widgets/ControlHelp.h"
#include "widgets/ListBoxView.h"
#include "widgets/TabOrder.h"
#include "widgets/TextLabel.h"
#include "widgets/Twips.h"
#include "browser/FtpBrowser.h"
#include "ftp/FtpSession.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace Browser {

namespace {

constexpr int kWidthTwips = 9480;
constexpr int kHeightTwips = 6000;

} // namespace

BrowserWindow::BrowserWindow(FtpBrowser &browser, QWidget *owner)
    : QWidget(owner, Qt::Window), browser_(browser)
{
    setObjectName(QStringLiteral("BrowserWindow"));
    setWindowTitle(QStringLiteral("FTP"));
    setFixedSize(Widgets::twipsToPixels(kWidthTwips), Widgets::twipsToPixels(kHeightTwips));
    buildFrame1();
    buildRemotePane();

    Widgets::statusBarLabel(browser_.session().status().StatusBar1, Widgets::twipsRect(120, 5520, 9240, 375), this);

    // A pane nobody has filled yet starts from the drives rather than blank.
    LocalPane &local = browser_.local();
    if (!local.hasFolder() && local.List2.count() == 0)
        local.ChangeDrive();
    Widgets::orderTabsByPosition(this);
    explain();
}

void BrowserWindow::explain()
{
    Widgets::explainControls(this, Widgets::controlHelp(QStringLiteral(":/BrowserWindow.controls.tsv")));
}

void BrowserWindow::buildFrame1()
{
    auto *frame = new QGroupBox(QStringLiteral("Frame1"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(Widgets::twipsRect(120, 120, 4575, 5280));

    LocalPane &local = browser_.local();
    label(QStringLiteral("Label2"), Widgets::twipsRect(120, 330, 615, 255), frame);
    pathField(local.Text1, Widgets::twipsRect(735, 300, 3720, 315), frame);
    listView(local.List2, Widgets::twipsRect(120, 720, 4335, 3360), frame, &FtpBrowser::openLocalEntry);

    followEnabled(button(QStringLiteral("Command1"), QStringLiteral("Connect"),
                         Widgets::twipsRect(120, 4200, 1395, 375), frame, &browser_, &FtpBrowser::loadProgressWindow),
                  browser_.Command1Enabled);
    button(QStringLiteral("Command8"), QStringLiteral("Disconnect"), Widgets::twipsRect(1590, 4200, 1395, 375),
           frame, &browser_, &FtpBrowser::disconnect);
    button(QStringLiteral("Command7"), QStringLiteral("Cancel"), Widgets::twipsRect(3060, 4200, 1395, 375),
           frame, &browser_, &FtpBrowser::resetRemotePane);
    button(QStringLiteral("Command4"), QStringLiteral("Delete"), Widgets::twipsRect(120, 4680, 1035, 375),
           frame, &browser_, &FtpBrowser::deleteRemoteEntry);
    button(QStringLiteral("Command5"), QStringLiteral("Rename"), Widgets::twipsRect(1220, 4680, 1035, 375),
           frame, &browser_, &FtpBrowser::renameRemoteEntry);
    button(QStringLiteral("Command3"), QStringLiteral("New dir"), Widgets::twipsRect(2320, 4680, 1035, 375),
           frame, &browser_, &FtpBrowser::makeRemoteFolder);
    button(QStringLiteral("Command6"), QStringLiteral("Up"), Widgets::twipsRect(3420, 4680, 1035, 375),
           frame, &browser_, &FtpBrowser::localUp);
}

void BrowserWindow::buildRemotePane()
{
    RemotePane &remote = browser_.remote();
    label(QStringLiteral("Label3"), Widgets::twipsRect(4860, 450, 615, 255), this);
    pathField(remote.Text2, Widgets::twipsRect(5475, 420, 3885, 315), this);
    listView(remote.List1, Widgets::twipsRect(4860, 840, 4500, 3360), this, &FtpBrowser::openRemoteEntry);

    button(QStringLiteral("Command2"), QStringLiteral("UP"), Widgets::twipsRect(4860, 4320, 1395, 375), this,
           &browser_, &FtpBrowser::remoteUp);
    VideoFolderEditor &editor = browser_.editor();
    button(QStringLiteral("Command9"), QStringLiteral("MODE EDITION"), Widgets::twipsRect(6390, 4320, 1575, 375),
           this, &editor, &VideoFolderEditor::enterEditingMode);
    followEnabled(button(QStringLiteral("Command20"), QStringLiteral("SUPPRIMER"),
                         Widgets::twipsRect(8040, 4320, 1320, 375), this, &editor,
                         &VideoFolderEditor::deleteSelectedVideo),
                  editor.Command20Enabled);
}

QLineEdit *BrowserWindow::pathField(Common::TextValue &text, const QRect &geometry, QWidget *parent)
{
    auto *field = new QLineEdit(text.text(), parent);
    field->setObjectName(text.objectName());
    field->setGeometry(geometry);
    field->setReadOnly(true);
    connect(&text, &Common::TextValue::changed, field, &QLineEdit::setText);
    return field;
}

void BrowserWindow::listView(Common::ListBox &list, const QRect &geometry, QWidget *parent,
                             void (FtpBrowser::*doubleClick)())
{
    auto *view = new Widgets::ListBoxView(list, parent);
    view->setGeometry(geometry);
    connect(view, &Widgets::ListBoxView::doubleClickedRow, &browser_, [browser = &browser_, &list, doubleClick](int row) {
        if (list.listIndex() != row) // the press already selected it, reporting it once
            list.setListIndex(row);
        (browser->*doubleClick)();
    });
}

void BrowserWindow::label(const QString &name, const QRect &geometry, QWidget *parent)
{
    auto *label = new QLabel(QStringLiteral("Folder:"), parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
}

void BrowserWindow::followEnabled(QPushButton *button, Common::BoolValue &enabled)
{
    button->setEnabled(enabled.value());
    connect(&enabled, &Common::BoolValue::changed, button, &QPushButton::setEnabled);
}

} // namespace Browser
