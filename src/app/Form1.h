#pragma once

#include "app/HotelManager.h"
#include "common/OperatorUi.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>

namespace Widgets { class Form3; }
namespace Browser { class BrowserWindow; }
class QFrame;
namespace Sales { class SalesWindow; }

namespace App {

// The main window: the operator's side of HotelManager and the one implementation of
// OperatorUi with real dialogs.
class Form1 : public QMainWindow, public Common::OperatorUi {
    Q_OBJECT
public:
    static constexpr int kCompactHeightTwips = 8175;
    static constexpr int kExpandedHeightTwips = 14085;
    static constexpr int kWidthTwips = 12000;
    // Caption bar and borders, part of the outer height the layout was designed for.
    static constexpr int kFrameTwips = 420;

    using Terminator = std::function<void(int)>;

    // `terminate` ends the process; tests pass their own.
    Form1(const Common::ServerProfile &profile, const QString &dataRoot, Terminator terminate = {});
    ~Form1() override;

    HotelManager &manager() { return manager_; }
    // The start-up sequence; the window is shown once it has run.
    void start();

    int outerHeightTwips() const { return outerHeightTwips_; }
    void setOuterHeightTwips(int twips);

    QString inputBox(const QString &prompt, const QString &title,
                     const QString &defaultAnswer) override;
    Answer messageBox(const QString &text, Buttons buttons, Icon icon,
                      const QString &title) override;
    void setBusyCursor(bool busy) override;
    void showProgressWindow(bool blockMain) override;
    void hideProgressWindow() override;
    void endProgram(int status) override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildUpperArea(QWidget *client);
    void openBrowser();
    void buildCategoryArea(QWidget *client);
    void buildStatusBar(QWidget *client);
    void showSalesWindow();
    void centreProgressWindow();
    // The main window, and the windows it owns, take no input while the progress window
    // blocks them or an action talks to the server; the progress window always does.
    void applyInputLock();

    Terminator terminate_;
    HotelManager manager_;
    Widgets::Form3 *form3_ = nullptr;
    Browser::BrowserWindow *browser_ = nullptr;
    Sales::SalesWindow *salesWindow_ = nullptr;
    int outerHeightTwips_ = kCompactHeightTwips;
    bool closing_ = false;
    bool progressBlocking_ = false;
    bool actionRunning_ = false;
    QPointer<QWidget> focusBeforeLock_;
};

} // namespace App
