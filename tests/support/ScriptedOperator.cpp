#include "support/ScriptedOperator.h"

QString ScriptedOperator::inputBox(const QString &prompt, const QString &title,
                                   const QString &defaultAnswer)
{
    inputs.append({prompt, title, defaultAnswer});
    return inputAnswers.isEmpty() ? QString() : inputAnswers.dequeue();
}

Common::OperatorUi::Answer ScriptedOperator::messageBox(const QString &text, Buttons buttons, Icon icon,
                                                const QString &title)
{
    messages.append({text, buttons, icon, title});
    return messageAnswers.isEmpty() ? Answer::Ok : messageAnswers.dequeue();
}

void ScriptedOperator::setBusyCursor(bool busy)
{
    cursorChanges.append(busy);
}

void ScriptedOperator::showProgressWindow(bool blockMain)
{
    progressEvents.append(blockMain ? QStringLiteral("show-blocking") : QStringLiteral("show"));
    progressShown = true;
    if (blockMain)
        mainEnabled = false;
}

void ScriptedOperator::hideProgressWindow()
{
    progressEvents.append(QStringLiteral("hide"));
    progressShown = false;
    mainEnabled = true;
}

void ScriptedOperator::endProgram(int status)
{
    endedWith = status;
}
