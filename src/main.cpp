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
    // Held until _Exit: the kernel lets it go with the process.
    Common::DataRootLock lock(data.path);
    const auto locked = lock.tryLock();
    if (locked == Common::DataRootLock::Result::InUse) {
        QMessageBox::information(nullptr, Common::OperatorUi::kDialogTitle, Common::DataRootLock::refusal(data.path));
        return 0;
    }
    if (locked == Common::DataRootLock::Result::NotWritable) {
        QMessageBox::information(nullptr, Common::OperatorUi::kDialogTitle,
                                 Common::DataRootLock::notWritable(data.path));
        return 1;
    }
    App::Form1 window(buildProfile(), data.path);
    window.manager().status().Ajout_Status(data.statusLine());
    if (locked == Common::DataRootLock::Result::Unlocked)
        window.manager().status().Ajout_Status(lock.unlockedLine());
    App::TerminationWatcher watcher;
    QObject::connect(&watcher, &App::TerminationWatcher::terminationRequested, &window, &QWidget::close);
    window.start();
    return QApplication::exec();
}
