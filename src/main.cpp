#include "BuildProfile.h"
#include "app/Form1.h"
#include "app/TerminationWatcher.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    App::Form1 window(buildProfile(), QCoreApplication::applicationDirPath());
    App::TerminationWatcher watcher;
    QObject::connect(&watcher, &App::TerminationWatcher::terminationRequested, &window, &QWidget::close);
    window.start();
    return QApplication::exec();
}
