#include "BuildProfile.h"
#include "app/Form1.h"
#include "app/TerminationWatcher.h"
#include "common/DataRootChoice.h"
#include "common/DataRootLock.h"
#include "common/OperatorUi.h"
#include "ftp/TransferMemory.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char **argv)
{
    Ftp::keepTransferBuffers();
    QApplication app(argc, argv);
    // Ties the window to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(HMANAGER_APP_ID));
    const auto data = Common::DataRootChoice::choose(QCoreApplication::applicationDirPath());
    Common::DataRootLock lock(data.path);
    if (!lock.tryLock()) {
        QMessageBox::information(nullptr, Common::OperatorUi::kDialogTitle, Common::DataRootLock::refusal(data.path));
        return 0;
    }
    App::Form1 window(buildProfile(), data.path);
    window.manager().status().Ajout_Status(data.statusLine());
    App::TerminationWatcher watcher;
    QObject::connect(&watcher, &App::TerminationWatcher::terminationRequested, &window, &QWidget::close);
    window.start();
    return QApplication::exec();
}
