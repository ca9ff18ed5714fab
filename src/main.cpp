#include "BuildProfile.h"
#include "app/Form1.h"
#include "app/TerminationWatcher.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Form1 window(buildProfile(), QCoreApplication::applicationDirPath());
    TerminationWatcher watcher;
    QObject::connect(&watcher, &TerminationWatcher::terminationRequested, &window, &QWidget::close);
    window.start();
    return QApplication::exec();
}
