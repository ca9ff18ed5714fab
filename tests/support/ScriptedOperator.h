#pragma once

#include "common/OperatorUi.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>

// The operator of a test: answers come from queues, and everything shown is recorded.
// An input box with no scripted answer is cancelled; a message box with none gets OK.
class ScriptedOperator : public Common::OperatorUi {
public:
    struct Message {
        QString text;
        Buttons buttons;
        Icon icon;
        QString title;
    };
    struct Input {
        QString prompt;
        QString title;
        QString defaultAnswer;
    };

    QQueue<QString> inputAnswers;
    QQueue<Answer> messageAnswers;

    QList<Input> inputs;
    QList<Message> messages;
    QList<bool> cursorChanges;  // true = hourglass, false = default
    QStringList progressEvents; // "show", "show-blocking", "hide"
    bool mainEnabled = true;
    bool progressShown = false;
    int endedWith = -1;

    QString inputBox(const QString &prompt, const QString &title,
                     const QString &defaultAnswer) override;
    Answer messageBox(const QString &text, Buttons buttons, Icon icon,
                      const QString &title) override;
    void setBusyCursor(bool busy) override;
    void showProgressWindow(bool blockMain) override;
    void hideProgressWindow() override;
    void endProgram(int status) override;
};
