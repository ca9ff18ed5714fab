#include "BuildProfile.h"
#include "app/Form1.h"
#include "app/TerminationWatcher.h"
#include "common/DataRootChoice.h"
#include "ftp/TransferMemory.h"

#include <QApplication>

int main(int argc, char **argv)
{
    Ftp::keepTransferBuffers();
    QApplication app(argc, argv);
    // Ties the window to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(HMANAGER_APP_ID));
    const auto data = Common::DataRootChoice::choose(QCoreApplication::applicationDirPath());
    App::Form1 window(buildProfile(), data.path);
    window.manager().status().Ajout_Status(data.statusLine());
    App::TerminationWatcher watcher;
    QObject::connect(&watcher, &App::TerminationWatcher::terminationRequested, &window, &QWidget::close);
    window.start();
    return QApplication::exec();
}
