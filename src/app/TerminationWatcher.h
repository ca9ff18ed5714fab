#pragma once

#include <QObject>

class QSocketNotifier;

namespace App {

// Turns SIGTERM and SIGINT into a signal on the event loop, so a session logout or
// Ctrl-C closes the window the normal way instead of killing the process mid-write.
class TerminationWatcher : public QObject {
    Q_OBJECT
public:
    explicit TerminationWatcher(QObject *parent = nullptr);

signals:
    void terminationRequested();

private:
    QSocketNotifier *notifier_ = nullptr;
};

} // namespace App
