#pragma once

#include "common/DataRoot.h"
#include "common/ProgressWindow.h"
#include "common/ServerProfile.h"
#include "common/StatusLog.h"
#include "browser/FtpBrowser.h"
#include "ftp/FtpSession.h"
#include "hotels/HotelPhrases.h"
#include "hotels/PhraseDownloader.h"
#include "hotels/PhrasePublisher.h"
#include "sales/SalesPanel.h"
#include "sales/SalesPublisher.h"
#include "videos/CategoryLists.h"
#include "videos/VideoPublisher.h"

#include <QObject>
#include <functional>

class OperatorUi;

// Everything the main window does, without a widget: the state of its controls and
// the start-up and shutdown sequences. The window binds its widgets to these objects.
class HotelManager : public QObject {
    Q_OBJECT
public:
    HotelManager(const ServerProfile &profile, const QString &dataRoot, OperatorUi &ui,
                 QObject *parent = nullptr);

    OperatorUi &ui() { return ui_; }
    const DataRoot &root() const { return root_; }
    StatusLog &status() { return status_; }
    ProgressWindow &form3() { return form3_; }
    CategoryLists &categories() { return categories_; }
    FtpSession &ftp() { return ftp_; }
    HotelPhrases &hotels() { return hotels_; }
    PhrasePublisher &phrasePublisher() { return phrasePublisher_; }
    VideoPublisher &videos() { return videos_; }
    FtpBrowser &browser() { return browser_; }
    SalesPanel &sales() { return sales_; }
    SalesPublisher &salesPublisher() { return salesPublisher_; }

    // The start-up steps after the window's own (height and dialog title); each runs
    // even if an earlier one failed.
    void start();
    // "STOP" on the progress window, and closing the main window: the program ends at
    // once, a transfer in flight aborted, whatever the server does.
    void stop();

private:
    void runStep(const QString &what, const std::function<void()> &step);
    void prepareFolders();

    OperatorUi &ui_;
    DataRoot root_;
    StatusLog status_;
    ProgressWindow form3_;
    CategoryLists categories_;
    FtpSession ftp_;
    HotelPhrases hotels_;
    PhrasePublisher phrasePublisher_;
    PhraseDownloader phraseDownloader_;
    VideoPublisher videos_{ftp_, categories_, root_, status_, form3_, ui_};
    FtpBrowser browser_;
    SalesPanel sales_;
    SalesPublisher salesPublisher_;
};
