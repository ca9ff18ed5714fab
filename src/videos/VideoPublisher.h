#pragma once

#include "videos/TransferDetail.h"

#include <QObject>
#include <QStringList>

class CategoryLists;
class DataRoot;
class FtpSession;
class ListBox;
class OperatorUi;
class ProgressWindow;
class Publication;
class StatusLog;

// Sends the videos of a category and its video list to the content server, each
// file in a connection of its own.
class VideoPublisher : public QObject {
    Q_OBJECT
public:
    VideoPublisher(FtpSession &ftp, CategoryLists &lists, const DataRoot &root, StatusLog &status,
                   ProgressWindow &form3, OperatorUi &ui, QObject *parent = nullptr);

    // The selected item of `lstBox` into the category's video folder.
    void MAJ_Hotelvideo(ListBox &lstBox, int maxPbar, const QString &nomCat);
    // The category file, as last saved, into the video-list folder as KEY.ini.
    void MAJ_Hotelvideo_list(int maxPbar, const QString &nomCat);

    // The buttons of the category at `index`: "->", "=>" and "L".
    void sendSelected(int index);
    void sendAll(int index);
    void sendList(int index);
    // Command44 "===>": every category's "=>" in the table's order.
    void sendAllCategories();

private:
    // Down from the login folder; stops at the first refused "CD".
    // Sends one file once the walk succeeded; false when either failed.
    bool sendInto(Publication &publication, const QStringList &folders, const QString &caption,
                  const QString &localfic, const QString &remotefic);

    FtpSession &ftp_;
    CategoryLists &lists_;
    const DataRoot &root_;
    StatusLog &status_;
    ProgressWindow &form3_;
    OperatorUi &ui_;
    TransferDetail detail_;
};
