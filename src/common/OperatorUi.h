#pragma once

#include <QString>

namespace Common {

// Everything core asks of the operator or shows to them goes through here, so every
// operation runs headless in tests. The main window implements it with real dialogs.
class OperatorUi {
public:
    enum class Buttons { Ok, OkCancel };
    enum class Icon { None, Critical, Question, Exclamation, Information };
    enum class Answer { Ok, Cancel };

    // The title of every message and input box of the main window.
    static inline const QString kDialogTitle = QStringLiteral("Pendric Hotel Manager");

    virtual ~OperatorUi() = default;

    // The typed answer; the empty text when the operator cancels.
    virtual QString inputBox(const QString &prompt, const QString &title,
                             const QString &defaultAnswer = {}) = 0;
    virtual Answer messageBox(const QString &text, Buttons buttons, Icon icon,
                              const QString &title) = 0;
    virtual void setBusyCursor(bool busy) = 0;
    // The progress window shown, with the main window disabled when `blockMain`;
    // hiding it always enables the main window again.
    virtual void showProgressWindow(bool blockMain) = 0;
    virtual void hideProgressWindow() = 0;
    // Ends the process at once; no further reactions run.
    virtual void endProgram(int status) = 0;
};

// The hourglass for the length of one operator action.
class BusyCursor {
public:
    explicit BusyCursor(OperatorUi &ui) : ui_(ui) { ui_.setBusyCursor(true); }
    ~BusyCursor() { ui_.setBusyCursor(false); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    OperatorUi &ui_;
};

} // namespace Common
