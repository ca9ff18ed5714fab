#include "common/DataRoot.h"
#include "common/ProgressWindow.h"
#include "common/StatusLog.h"
#include "ftp/FtpSession.h"
#include "sales/SalesPanel.h"
#include "sales/SalesPublisher.h"
#include "support/PyftpdProcess.h"
#include "support/ScriptedOperator.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

const QString kSite = QStringLiteral("www/clients/tolmi/pub2/ventes_celane_real_estate");
const QString kDetail = kSite + QStringLiteral("/celane-sales");
// A walk goes down all its levels at once from the login folder, "/".
const QString kToSite = QStringLiteral("CD / www clients tolmi pub2 ventes_celane_real_estate");
const QString kToDetail = kToSite + QStringLiteral(" celane-sales");

// The panel and its publisher against a real server holding the client's folders.
struct Publishing {
    explicit Publishing(const PyftpdProcess::Options &options = {}) : server(options)
    {
        for (const QString &folder : {kSite + "/img_thb", kSite + "/txt_thb", kDetail + "/img_thb",
                                      kDetail + "/img_big", kDetail + "/txt_desc"})
            QDir().mkpath(server.path(folder));
        root.ensureFolders();
        ftp.configure();
        QObject::connect(&ftp, &Ftp::FtpSession::commandDone,
                         [this](const Ftp::FtpOutcome &outcome) { trace.append(outcome.command.text()); });
    }
    // Each operation ends on a "CLOSE" not waited for; it ends before the client goes.
    ~Publishing() { ftp.Wait(); }

    QString picture(const QString &name, const QByteArray &content)
    {
        QFile file(local.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        return file.fileName();
    }
    QStringList changes() const { return trace.filter(QRegularExpression("^(CD|MKDIR|PUT) ")); }
    int connections() const { return server.receivedCommands().filter(QRegularExpression("^USER ")).size(); }
    QStringList log() const { return status.all(); }

    QStringList trace; // first, as the client reports until it goes
    PyftpdProcess server;
    QTemporaryDir local;
    Common::DataRoot root{local.filePath("app")};
    ScriptedOperator ui;
    Common::StatusLog status;
    Common::ProgressWindow progress{ui};
    Ftp::FtpSession ftp{server.profile(), ui};
    Sales::SalesPanel panel{ui};
    Sales::SalesPublisher publisher{panel, {ftp, progress, status, ui, root}};
};

} // namespace

TEST(SalesGalleryUpload, ThumbnailsGoNumberedIntoTheReferenceFolder)
{
    Publishing p;
    const QString a = p.picture("a.jpg", "A"), b = p.picture("b.jpg", "B"), c = p.picture("c.jpg", "C");
    p.panel.dropThumbnails({a, b, c});
    p.panel.lstThbVente.setListIndex(0);
    QStringList captions;
    QObject::connect(&p.progress.lblMaj, &Common::TextValue::changed, [&](const QString &text) { captions.append(text); });

    p.publisher.publishThumbnails();

    EXPECT_EQ(p.changes(), (QStringList{kToDetail + " img_thb", "MKDIR ref001", "CD ref001", "PUT " + a + " ref001_1.jpg",
                                                    "PUT " + b + " ref001_2.jpg", "PUT " + c + " ref001_3.jpg"}));
    EXPECT_EQ(p.server.fileContent(kDetail + "/img_thb/ref001/ref001_1.jpg") + p.server.fileContent(kDetail + "/img_thb/ref001/ref001_2.jpg")
                  + p.server.fileContent(kDetail + "/img_thb/ref001/ref001_3.jpg"),
              "ABC");
    EXPECT_EQ(p.progress.max(), 3);
    EXPECT_EQ(p.progress.value(), 3);
    EXPECT_EQ(captions.first(), "Fichiers images miniatures");
    EXPECT_EQ(p.panel.imgThbv.path(), c);
    EXPECT_EQ(p.ui.progressEvents, (QStringList{"show-blocking", "hide"}));
    EXPECT_TRUE(p.log().isEmpty());
}

TEST(SalesGalleryUpload, ASecondSmallerUploadLeavesHigherNumbersAndARefusedMkdirIsNoFailure)
{
    Publishing p;
    p.panel.dropLargeImages({p.picture("1.jpg", "old"), p.picture("2.jpg", "old"), p.picture("3.jpg", "old3")});
    p.publisher.publishLargeImages();
    p.panel.lstBigVente.clear();
    const QString fresh = p.picture("new.jpg", "new");
    p.panel.dropLargeImages({fresh, fresh});

    p.publisher.publishLargeImages();

    EXPECT_TRUE(p.log().isEmpty());
    EXPECT_EQ(p.server.fileContent(kDetail + "/img_big/ref001/ref001_1.jpg"), "new");
    EXPECT_EQ(p.server.fileContent(kDetail + "/img_big/ref001/ref001_2.jpg"), "new");
    EXPECT_EQ(p.server.fileContent(kDetail + "/img_big/ref001/ref001_3.jpg"), "old3");
}

// A reference folder an 8-bit client made is found in its own bytes: one folder on the
// server, the images in it.
TEST(SalesGalleryUpload, AFolderAnEightBitClientMadeIsUsedNotMadeAgain)
{
    PyftpdProcess::Options raw;
    raw.faults = {"raw-names"};
    Publishing p(raw);
    const QByteArray gallery = QFile::encodeName(p.server.path(kDetail + "/img_big"));
    ASSERT_EQ(::mkdir(gallery + "/r\xe9" "f", 0755), 0);
    p.panel.txtRef.setText(QStringLiteral("réf"));
    p.panel.dropLargeImages({p.picture("1.jpg", "one")});

    p.publisher.publishLargeImages();

    const auto names = [](const QByteArray &folder) {
        QList<QByteArray> found;
        if (DIR *dir = ::opendir(folder.constData())) {
            while (const dirent *entry = ::readdir(dir))
                if (entry->d_name[0] != '.')
                    found.append(entry->d_name);
            ::closedir(dir);
        }
        return found;
    };
    EXPECT_EQ(names(gallery), QList<QByteArray>{"r\xe9" "f"});
    EXPECT_EQ(names(gallery + "/r\xe9" "f").size(), 1);
    EXPECT_TRUE(p.log().isEmpty()) << p.log().join(" | ").toStdString();
}

TEST(SalesIndexUpload, GoesUnderItsRelativePathWithoutAnyFolderChange)
{
    Publishing p;
    const QString index = p.picture("y.jpg", "INDEX");
    p.panel.dropIndexImage({index});

    p.publisher.publishIndexImage();

    EXPECT_EQ(p.changes(), QStringList{"PUT " + index + " " + kSite + "/img_thb/ref001.jpg"});
    EXPECT_EQ(p.server.fileContent(kSite + "/img_thb/ref001.jpg"), "INDEX");
    EXPECT_EQ(p.progress.value(), 1);
}

TEST(SalesTextUpload, BothTextsLandInTheirFoldersWithCrLfAndTheLongOneWithoutAListingFirst)
{
    Publishing p;
    p.panel.txtCourt.setText(QString::fromUtf8("Villa à vendre\nvue mer"));
    p.panel.txtDesc.setText("Trois chambres");

    p.publisher.publishAllTexts();

    const QString shortTemp = p.root.temp() + "/txt_court.txt", longTemp = p.root.temp() + "/txt_desc.txt";
    EXPECT_EQ(p.trace, (QStringList{"LS", "PWD", kToSite + " txt_thb", "PUT " + shortTemp + " ref001.txt",
                                    kToDetail + " txt_desc", "PUT " + longTemp + " ref001.txt"}))
        << p.trace.join(" | ").toStdString();
    EXPECT_EQ(p.server.fileContent(kSite + "/txt_thb/ref001.txt"), "Villa \xe0 vendre\r\nvue mer\r\n");
    EXPECT_EQ(p.server.fileContent(kDetail + "/txt_desc/ref001.txt"), "Trois chambres\r\n");

    // Each run writes the temp files again from the current texts.
    p.panel.clearShortText();
    p.publisher.publishAllTexts();
    EXPECT_EQ(p.server.fileContent(kSite + "/txt_thb/ref001.txt"), "\r\n");
}

TEST(SalesPublishAll, SendsEveryPartOverOneConnection)
{
    Publishing p;
    p.panel.dropIndexImage({p.picture("i.jpg", "I")});
    p.panel.dropThumbnails({p.picture("t1.jpg", "T1"), p.picture("t2.jpg", "T2")});
    p.panel.dropLargeImages({p.picture("g.jpg", "G")});
    p.panel.txtCourt.setText("court");
    p.panel.txtDesc.setText("long");

    p.publisher.publishEverything();

    EXPECT_EQ(p.connections(), 1);
    EXPECT_EQ(p.changes().filter(QRegularExpression("^PUT ")).size(), 6);
    EXPECT_EQ(p.server.fileContent(kDetail + "/img_thb/ref001/ref001_2.jpg"), "T2");
    EXPECT_EQ(p.server.fileContent(kDetail + "/img_big/ref001/ref001_1.jpg"), "G");
    EXPECT_EQ(p.server.fileContent(kDetail + "/txt_desc/ref001.txt"), "long\r\n");
    EXPECT_TRUE(p.log().isEmpty());
    EXPECT_TRUE(p.ui.mainEnabled);
}

TEST(SalesReference, AnUnsafeReferenceIsRefusedBeforeAnythingIsSent)
{
    EXPECT_TRUE(Sales::SalesPublisher::isSafeReference(QString::fromUtf8("villa 7 é")));
    Publishing p;
    p.panel.dropIndexImage({p.picture("i.jpg", "I")});
    const QStringList unsafe = {"", "/", "a/b", "a\\b", "..", "x..y", ".", "a\tb", "a\x7f", " ref", "ref ", "ref\n",
                                "ref\r", QString("ref") + QChar(0), QString(300, 'r'), "villa 😀"};
    for (const QString &reference : unsafe) {
        p.panel.txtRef.setText(reference);
        p.publisher.publishEverything();
    }
    for (auto click : {&Sales::SalesPublisher::publishIndexImage, &Sales::SalesPublisher::publishThumbnails, &Sales::SalesPublisher::publishLargeImages,
                       &Sales::SalesPublisher::publishAllImages, &Sales::SalesPublisher::publishAllTexts,
                       &Sales::SalesPublisher::publishShortText, &Sales::SalesPublisher::publishLongText})
        (p.publisher.*click)();

    EXPECT_EQ(p.ui.messages.size(), unsafe.size() + 7);
    EXPECT_TRUE(p.ui.progressEvents.isEmpty());
    EXPECT_TRUE(p.server.receivedCommands().isEmpty());
    EXPECT_FALSE(QFile::exists(p.root.temp() + "/txt_court.txt"));
}

TEST(SalesFailures, AFailedCdIsLoggedAndNothingGoesIntoTheWrongFolder)
{
    Publishing p;
    QDir(p.server.path(kDetail + "/img_big")).removeRecursively();
    QDir(p.server.path(kSite + "/txt_thb")).removeRecursively();
    p.panel.dropLargeImages({p.picture("g.jpg", "G")});

    p.publisher.publishLargeImages();
    p.publisher.publishShortText();

    EXPECT_EQ(p.changes(), (QStringList{"CD img_big", "CD txt_thb"})); // the walks, as far as they got
    ASSERT_EQ(p.log().size(), 2);
    EXPECT_TRUE(p.log()[0].contains("Fichiers grandes vignettes") && p.log()[0].contains("CD img_big"));
    EXPECT_TRUE(p.log()[1].contains("Fichier texte court") && p.log()[1].contains("CD txt_thb"));
}

TEST(SalesFailures, ARefusedUploadIsLoggedWithItsFile)
{
    Publishing p({.faults = {"refuse:STOR"}});
    p.publisher.publishLongText();
    ASSERT_EQ(p.log().size(), 1);
    EXPECT_TRUE(p.log()[0].contains("Fichier texte descriptif complet"));
    EXPECT_TRUE(p.log()[0].contains(p.root.temp() + "/txt_desc.txt vers ref001.txt"));
}

TEST(SalesFailures, MissingPicturesAndAnUnwritableTempFolderAreLoggedAndSkipped)
{
    Publishing p;
    const QString a = p.picture("a.jpg", "A"), gone = p.local.filePath("gone.jpg");
    p.panel.dropThumbnails({a, gone});
    QDir(p.root.temp()).removeRecursively();
    QFile blocker(p.root.temp());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));

    p.publisher.publishIndexImage();
    p.publisher.publishThumbnails();
    p.publisher.publishShortText();

    EXPECT_EQ(p.changes().filter(QRegularExpression("^PUT ")), QStringList{"PUT " + a + " ref001_1.jpg"});
    ASSERT_EQ(p.log().size(), 3);
    EXPECT_TRUE(p.log()[0].contains("Fichier image index"));
    EXPECT_TRUE(p.log()[1].contains(gone));
    EXPECT_TRUE(p.log()[2].contains("Fichier texte court") && p.log()[2].contains("txt_court.txt"));
    EXPECT_EQ(p.ui.endedWith, -1);
    EXPECT_TRUE(p.ui.mainEnabled);
}
