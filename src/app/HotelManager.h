#pragma once

#include "common/DataRoot.h"
#include "common/ProgressWindow.h"
#include "common/ServerProfile.h"
#include "common/StatusLog.h"
#include "browser/FtpBrowser.h"
#include "ftp/FtpSession.h"
#include "hotels/HotelPhrases.h"
#include "hotels/PhraseDownloader.h"
#include "hotels/PhraseFolderGuard.h"
#include "hotels/PhrasePublisher.h"
#include "sales/SalesPanel.h"
#include "sales/SalesPublisher.h"
#include "videos/CategoryLists.h"
#include "videos/VideoPublisher.h"

#include <QObject>
#include <functional>

namespace Common { class OperatorUi; }

namespace App {

// Everything the main window does, without a widget: the state of its controls and
// the start-up and shutdown sequences. The window binds its widgets to these objects.
class HotelManager : public QObject {
    Q_OBJECT
public:
    HotelManager(const Common::ServerProfile &profile, const QString &dataRoot, Common::OperatorUi &ui,
                 QObject *parent = nullptr);

    Common::OperatorUi &ui() { return ui_; }
    const Common::DataRoot &root() const { return root_; }
    Common::StatusLog &status() { return status_; }
    Common::ProgressWindow &form3() { return form3_; }
    Videos::CategoryLists &categories() { return categories_; }
    Ftp::FtpSession &ftp() { return ftp_; }
    Hotels::HotelPhrases &hotels() { return hotels_; }
    Hotels::PhrasePublisher &phrasePublisher() { return phrasePublisher_; }
    Videos::VideoPublisher &videos() { return videos_; }
    Browser::FtpBrowser &browser() { return browser_; }
    Sales::SalesPanel &sales() { return sales_; }
    Sales::SalesPublisher &salesPublisher() { return salesPublisher_; }

    // The start-up steps after the window's own (height and dialog title); each runs
    // even if an earlier one failed.
    void start();
    // "STOP" on the progress window, and closing the main window: the program ends at
    // once, a transfer in flight aborted, whatever the server does.
    void stop();

private:
    void runStep(const QString &what, const std::function<void()> &step);
    void prepareFolders();

    Common::OperatorUi &ui_;
    Common::DataRoot root_;
    Common::StatusLog status_;
    Common::ProgressWindow form3_;
    Videos::CategoryLists categories_;
    Ftp::FtpSession ftp_;
    Hotels::HotelPhrases hotels_;
    const Ftp::PublishingDesk desk_{ftp_, form3_, status_, ui_, root_};
    Hotels::PhrasePublisher phrasePublisher_{hotels_, desk_};
    Hotels::PhraseFolderGuard phraseGuard_{desk_};
    Hotels::PhraseDownloader phraseDownloader_;
    Videos::VideoPublisher videos_{categories_, desk_};
    Browser::FtpBrowser browser_;
    Sales::SalesPanel sales_;
    Sales::SalesPublisher salesPublisher_{sales_, desk_};
    bool toldTlsRefused_ = false;
};

} // namespace App
