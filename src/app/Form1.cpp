#include "app/Form1.h"

#include "widgets/ControlHelp.h"
#include "widgets/Form3.h"
#include "widgets/Icons.h"
#include "widgets/ListBoxView.h"
#include "widgets/TabOrder.h"
#include "widgets/TextLabel.h"
#include "widgets/Twips.h"
#include "hotels/HotelsPanel.h"
#include "videos/CategoryArea.h"
#include "browser/BrowserWindow.h"
#include "sales/SalesWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <cstdio>
#include <cstdlib>

namespace App {

namespace {

void endProcess(int status)
{
    std::fflush(nullptr);
    std::_Exit(status);
}

QMessageBox::Icon messageIcon(Common::OperatorUi::Icon icon)
{
    switch (icon) {
    case Common::OperatorUi::Icon::Critical: return QMessageBox::Critical;
    case Common::OperatorUi::Icon::Question: return QMessageBox::Question;
    case Common::OperatorUi::Icon::Exclamation: return QMessageBox::Warning;
    case Common::OperatorUi::Icon::Information: return QMessageBox::Information;
    case Common::OperatorUi::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QPushButton *textButton(const QString &name, const QString &text, const QRect &geometry, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

// Dialogs belong to the window the operator is working in, the browser or the sales panel too.
QWidget *dialogParent(QWidget *mainWindow)
{
    QWidget *active = QApplication::activeWindow();
    return active ? active : mainWindow;
}

void bringUp(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

Form1::Form1(const Common::ServerProfile &profile, const QString &dataRoot, Terminator terminate)
    : terminate_(terminate ? std::move(terminate) : Terminator(endProcess)),
      manager_(profile, dataRoot, *this)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("VORLA - Pendric Hotel Manager"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setStyleSheet(QStringLiteral("#client { background: qlineargradient(x1:0, y1:0, x2:1, "
                                         "y2:1, stop:0 #e9eef5, stop:1 #b8c9dc); }"));
    setCentralWidget(client);
    buildUpperArea(client);
    buildCategoryArea(client);
    buildStatusBar(client);

    form3_ = new Widgets::Form3(manager_.form3(), this);
    connect(form3_, &Widgets::Form3::stopClicked, &manager_, &HotelManager::stop);
    connect(&manager_.ftp(), &Ftp::FtpSession::actionRunningChanged, this, [this](bool running) {
        actionRunning_ = running;
        applyInputLock();
    });
    setOuterHeightTwips(kCompactHeightTwips);
    Widgets::orderTabsByPosition(this);
}

Form1::~Form1() = default;

void Form1::start()
{
    setOuterHeightTwips(kCompactHeightTwips);
    // Placed first, so the progress window of the start-up download opens over it.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    manager_.start();
    show();
}

void Form1::setOuterHeightTwips(int twips)
{
    outerHeightTwips_ = twips;
    setFixedSize(Widgets::twipsToPixels(kWidthTwips), Widgets::twipsToPixels(twips - kFrameTwips));
}

void Form1::buildUpperArea(QWidget *client)
{
    auto *banner = new QLabel(QStringLiteral("Pendric Hotel Manager"), client);
    banner->setObjectName(QStringLiteral("banner"));
    banner->setGeometry(Widgets::twipsRect(120, 600, 11535, 600));
    banner->setStyleSheet(QStringLiteral("font: bold 20pt 'Century Gothic'; color: #2b4a6f;"));

    new Hotels::HotelsPanel(manager_.hotels(), manager_.phrasePublisher(), client);
    connect(textButton(QStringLiteral("cmdFtp"), QStringLiteral("FTP"), Widgets::twipsRect(1560, 120, 1335, 375), client),
            &QPushButton::clicked, this, &Form1::openBrowser);
    connect(textButton(QStringLiteral("cmdVentes"), QStringLiteral("Ventes"), Widgets::twipsRect(120, 120, 1335, 375), client),
            &QPushButton::clicked, this, &Form1::showSalesWindow);

    auto *status = new Widgets::ListBoxView(manager_.status().lines(), client);
    status->setGeometry(Widgets::twipsRect(120, 5160, 9855, 2370));

    auto *compact = textButton(QStringLiteral("Command67"), QStringLiteral("|"), Widgets::twipsRect(11400, 5160, 255, 1215), client);
    connect(compact, &QPushButton::clicked, this, [this] { setOuterHeightTwips(kCompactHeightTwips); });
    auto *expanded = textButton(QStringLiteral("Command68"), QStringLiteral("|"), Widgets::twipsRect(11400, 6480, 255, 1095), client);
    connect(expanded, &QPushButton::clicked, this, [this] { setOuterHeightTwips(kExpandedHeightTwips); });

    status->announceAddedRows();
    Widgets::explainControls(client, Widgets::controlHelp(QStringLiteral(":/Form1.controls.tsv")));
}

void Form1::openBrowser()
{
    if (!browser_)
        browser_ = new Browser::BrowserWindow(manager_.browser(), this);
    bringUp(browser_);
}

void Form1::buildStatusBar(QWidget *client)
{
    Widgets::statusBarLabel(manager_.ftp().status().StatusBar1, Widgets::twipsRect(120, 13200, 9735, 375), client);
    Common::TextValue &tls = manager_.ftp().status().TlsStatus;
    auto *protection = Widgets::statusBarLabel(tls, Widgets::twipsRect(9900, 13200, 1755, 375), client);
    protection->setIndent(Widgets::twipsToPixels(300));
    auto *padlock = new QLabel(protection);
    padlock->setObjectName(QStringLiteral("padlock"));
    const int side = protection->height() - 6;
    padlock->setGeometry(3, 3, side, side);
    // Closed over TLS; open, with the server's refusal on hover, where TLS was asked and refused.
    Common::TextValue &refusal = manager_.ftp().status().TlsRefusal;
    const auto showPadlock = [padlock, side, &tls, &refusal] {
        const bool open = !refusal.text().isEmpty();
        padlock->setPixmap(Widgets::Icons::padlock(open).pixmap(side, side));
        padlock->setToolTip(refusal.text());
        padlock->setVisible(open || tls.text().startsWith(QLatin1String("TLS")));
    };
    showPadlock();
    connect(&tls, &Common::TextValue::changed, padlock, showPadlock);
    connect(&refusal, &Common::TextValue::changed, padlock, showPadlock);
}

void Form1::buildCategoryArea(QWidget *client)
{
    new Videos::CategoryArea({manager_.categories(), manager_.videos(), manager_.root(), manager_.status()}, client);
}

void Form1::showSalesWindow()
{
    if (!salesWindow_)
        salesWindow_ = new Sales::SalesWindow(manager_.sales(), manager_.salesPublisher(), this);
    bringUp(salesWindow_);
}

QString Form1::inputBox(const QString &prompt, const QString &title, const QString &defaultAnswer)
{
    QInputDialog dialog(dialogParent(this));
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultAnswer);
    dialog.setEnabled(true); // its owner may be locked while an action runs
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

Common::OperatorUi::Answer Form1::messageBox(const QString &text, Buttons buttons, Icon icon, const QString &title)
{
    QMessageBox box(messageIcon(icon), title, text,
                    buttons == Buttons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok,
                    dialogParent(this));
    box.setEnabled(true); // its owner may be locked while an action runs
    return box.exec() == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

void Form1::setBusyCursor(bool busy)
{
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

void Form1::showProgressWindow(bool blockMain)
{
    progressBlocking_ = progressBlocking_ || blockMain;
    if (!form3_->isVisible())
        centreProgressWindow();
    applyInputLock();
    form3_->show();
    form3_->raise();
}

void Form1::hideProgressWindow()
{
    progressBlocking_ = false;
    applyInputLock();
    form3_->hide();
}

void Form1::centreProgressWindow()
{
    QRect placed = form3_->frameGeometry();
    placed.moveCenter(frameGeometry().center());
    form3_->move(placed.topLeft());
}

void Form1::applyInputLock()
{
    const bool locked = progressBlocking_ || actionRunning_;
    // Disabling takes the keyboard focus away: an operator on the keyboard gets it back where it was.
    if (locked && isEnabled())
        focusBeforeLock_ = QApplication::focusWidget();
    setEnabled(!locked);
    if (!locked && focusBeforeLock_) {
        focusBeforeLock_->setFocus();
        focusBeforeLock_.clear();
    }
    // A child window: disabling this one disabled it too, yet its STOP must always work.
    form3_->setEnabled(true);
}

void Form1::endProgram(int status)
{
    terminate_(status);
}

void Form1::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (closing_)
        return;
    closing_ = true;
    manager_.stop();
}

} // namespace App
