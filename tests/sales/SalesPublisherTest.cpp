#include "app/DataRoot.h"
#include "app/ProgressWindow.h"
#include "app/StatusLog.h"
#include "ftp/FtpSession.h"
#include "sales/SalesPanel.h"
#include "sales/SalesPublisher.h"
#include "support/PyftpdProcess.h"
#include "support/ScriptedOperator.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kSite = QStringLiteral("www/clients/tolmi/pub2/ventes_celane_real_estate");
const QString kDetail = kSite + QStringLiteral("/celane-sales");
const QStringList kWalkToDetail = {"CD www", "CD clients", "CD tolmi", "CD pub2",
                                   "CD ventes_celane_real_estate", "CD celane-sales"};

// The panel and its publisher on a real server holding the client's folders.
struct Publishing {
    explicit Publishing(const PyftpdProcess::Options &options = {}) : server(options)
    {
        for (const QString &folder : {kSite + "/img_thb", kSite + "/txt_thb", kDetail + "/img_thb",
                                      kDetail + "/img_big", kDetail + "/txt_desc"})
            QDir().mkpath(server.path(folder));
        root.ensureFolders();
        ftp.configure();
        QObject::connect(&ftp.Inet1, &Inet::StateChanged, [this](int state) {
            if (state == 11 || state == 12)
                trace.append(ftp.Inet1.lastOutcome().command.text());
        });
        QObject::connect(&progress.lblMaj, &TextValue::changed,
                         [this](const QString &caption) { captions.append(caption); });
    }

    // Each operation ends on a "CLOSE" not waited for; it ends before the client goes.
    ~Publishing() { ftp.Wait(); }

    QString picture(const QString &name, const QByteArray &content)
    {
        QFile file(local.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return file.fileName();
    }
    // The commands that change or move on the server, in order.
    QStringList changes() const
    {
        QStringList lines;
        for (const QString &line : trace)
            if (line.startsWith("CD ") || line.startsWith("MKDIR") || line.startsWith("PUT "))
                lines.append(line);
        return lines;
    }
    int connections() const { return server.receivedCommands().filter(QRegularExpression("^USER ")).size(); }

    // Declared first so they outlive the client, which still reports as it goes.
    QStringList trace;
    QStringList captions;
    PyftpdProcess server;
    QTemporaryDir local;
    DataRoot root{local.filePath("app")};
    ScriptedOperator ui;
    StatusLog status;
    ProgressWindow progress{ui};
    FtpSession ftp{server.profile(), ui};
    SalesPanel panel{ui};
    SalesPublisher publisher{panel, ftp, progress, status, ui, root};
};

} // namespace

TEST(SalesGalleryUpload, ThumbnailsGoNumberedIntoTheReferenceFolder)
{
    Publishing p;
    const QString a = p.picture("a.jpg", "AAA"), b = p.picture("b.jpg", "BBB"), c = p.picture("c.jpg", "CCC");
    p.panel.Picture3_OLEDragDrop({a, b, c});
    p.panel.lstThbVente.setListIndex(0);

    p.publisher.Command14_Click();

    const QStringList expected = kWalkToDetail + QStringList{"CD img_thb", "MKDIR ref001", "CD ref001",
                                                             "PUT " + a + " ref001_1.jpg", "PUT " + b + " ref001_2.jpg",
                                                             "PUT " + c + " ref001_3.jpg"};
    EXPECT_EQ(p.changes(), expected);
    EXPECT_EQ(p.server.fileContent(kDetail + "/img_thb/ref001/ref001_1.jpg"), "AAA");
    EXPECT_EQ(p.server.fileContent(kDetail + "/img_thb/ref001/ref001_2.jpg"), "BBB");
    EXPECT_EQ(p.server.fileContent(kDetail + "/img_thb/ref001/ref001_3.jpg"), "CCC");
    EXPECT_EQ(p.progress.max(), 3);
    EXPECT_EQ(p.progress.value(), 3);
    EXPECT_EQ(p.captions.first(), "Fichiers images miniatures");
    EXPECT_EQ(p.panel.lstThbVente.listIndex(), 2);
    EXPECT_EQ(p.panel.imgThbv.path(), c);
    EXPECT_EQ(p.ui.progressEvents, (QStringList{"show-blocking", "hide"}));
    EXPECT_TRUE(p.status.all().isEmpty());
}

TEST(SalesGalleryUpload, ASecondSmallerUploadLeavesHigherNumbersInPlace)
{
    Publishing p;
    p.panel.Picture4_OLEDragDrop({p.picture("1.jpg", "old1"), p.picture("2.jpg", "old2"), p.picture("3.jpg", "old3")});
    p.publisher.Command15_Click();
    p.panel.lstBigVente.clear();
    const QString fresh = p.picture("new.jpg", "new");
    p.panel.Picture4_OLEDragDrop({fresh, fresh});
    p.trace.clear();

    p.publisher.Command15_Click();

    // The folder is there already: its MKDIR is refused, and that is no failure.
    EXPECT_TRUE(p.changes().contains("MKDIR ref001"));
    EXPECT_TRUE(p.status.all().isEmpty());
    EXPECT_EQ(p.server.fileContent(kDetail + "/img_big/ref001/ref001_1.jpg"), "new");
    EXPECT_EQ(p.server.fileContent(kDetail + "/img_big/ref001/ref001_2.jpg"), "new");
    EXPECT_EQ(p.server.fileContent(kDetail + "/img_big/ref001/ref001_3.jpg"), "old3");
}

TEST(SalesIndexUpload, GoesUnderItsRelativePathWithoutAnyFolderChange)
{
    Publishing p;
    const QString index = p.picture("y.jpg", "INDEX");
    p.panel.Picture2_OLEDragDrop({index});

    p.publisher.Command13_Click();

    EXPECT_EQ(p.changes(), QStringList{"PUT " + index + " " + kSite + "/img_thb/ref001.jpg"});
    EXPECT_EQ(p.server.fileContent(kSite + "/img_thb/ref001.jpg"), "INDEX");
    EXPECT_EQ(p.progress.max(), 1);
    EXPECT_EQ(p.progress.value(), 1);
    EXPECT_EQ(p.captions.first(), "Fichier image index");
}

TEST(SalesTextUpload, BothTextsLandInTheirFoldersWithCrLfAndTheLongOneWithoutAListingFirst)
{
    Publishing p;
    p.panel.txtCourt.setText(QString::fromUtf8("Villa à vendre\nvue mer"));
    p.panel.txtDesc.setText("Trois chambres");

    p.publisher.Command17_Click();

    const QString shortTemp = p.root.temp() + "/txt_court.txt";
    const QString longTemp = p.root.temp() + "/txt_desc.txt";
    const QStringList expected = QStringList{"LS", "PWD"} + kWalkToDetail.mid(0, 5)
                                 + QStringList{"CD txt_thb", "PUT " + shortTemp + " ref001.txt", "LS", "PWD"}
                                 + kWalkToDetail
                                 + QStringList{"CD txt_desc", "PUT " + longTemp + " ref001.txt", "LS", "PWD"};
    EXPECT_EQ(p.trace, expected);
    EXPECT_EQ(p.server.fileContent(kSite + "/txt_thb/ref001.txt"), "Villa \xe0 vendre\r\nvue mer\r\n");
    EXPECT_EQ(p.server.fileContent(kDetail + "/txt_desc/ref001.txt"), "Trois chambres\r\n");
    EXPECT_EQ(p.connections(), 2);
    EXPECT_TRUE(p.captions.contains("Fichier texte court"));
    EXPECT_TRUE(p.captions.contains("Fichier texte descriptif complet"));

    // Each run writes the temp files again from the current texts.
    p.panel.Command21_Click();
    p.publisher.Command17_Click();
    EXPECT_EQ(p.server.fileContent(kSite + "/txt_thb/ref001.txt"), "\r\n");
    QFile temp(shortTemp);
    ASSERT_TRUE(temp.open(QIODevice::ReadOnly));
    EXPECT_EQ(temp.readAll(), "\r\n");
}

TEST(SalesPublishAll, SendsEveryPartOverFiveConnections)
{
    Publishing p;
    p.panel.Picture2_OLEDragDrop({p.picture("i.jpg", "I")});
    p.panel.Picture3_OLEDragDrop({p.picture("t1.jpg", "T1"), p.picture("t2.jpg", "T2")});
    p.panel.Picture4_OLEDragDrop({p.picture("g.jpg", "G")});
    p.panel.txtCourt.setText("court");
    p.panel.txtDesc.setText("long");

    p.publisher.Command23_Click();

    EXPECT_EQ(p.connections(), 5);
    EXPECT_EQ(p.server.fileContent(kSite + "/img_thb/ref001.jpg"), "I");
    EXPECT_EQ(p.server.fileContent(kDetail + "/img_thb/ref001/ref001_1.jpg"), "T1");
    EXPECT_EQ(p.server.fileContent(kDetail + "/img_thb/ref001/ref001_2.jpg"), "T2");
    EXPECT_EQ(p.server.fileContent(kDetail + "/img_big/ref001/ref001_1.jpg"), "G");
    EXPECT_EQ(p.server.fileContent(kSite + "/txt_thb/ref001.txt"), "court\r\n");
    EXPECT_EQ(p.server.fileContent(kDetail + "/txt_desc/ref001.txt"), "long\r\n");
    EXPECT_TRUE(p.status.all().isEmpty());
    EXPECT_FALSE(p.ui.progressShown);
    EXPECT_TRUE(p.ui.mainEnabled);
}

TEST(SalesReference, AnUnsafeReferenceIsRefusedBeforeAnythingIsSent)
{
    EXPECT_TRUE(SalesPublisher::isSafeReference("ref001"));
    EXPECT_TRUE(SalesPublisher::isSafeReference(QString::fromUtf8("villa 7 é")));
    Publishing p;
    p.panel.Picture2_OLEDragDrop({p.picture("i.jpg", "I")});
    const QStringList unsafe = {"", "/", "a/b", "a\\b", "..", "x..y", ".", "a\tb", QString("a") + QChar(0x7f),
                                " ref", "ref ", "ref\n"};
    for (const QString &reference : unsafe) {
        EXPECT_FALSE(SalesPublisher::isSafeReference(reference)) << reference.toStdString();
        p.panel.txtRef.setText(reference);
        p.publisher.Command23_Click();
    }
    p.panel.txtRef.setText("../up");
    for (auto click : {&SalesPublisher::Command13_Click, &SalesPublisher::Command14_Click,
                       &SalesPublisher::Command15_Click, &SalesPublisher::Command16_Click,
                       &SalesPublisher::Command17_Click, &SalesPublisher::Command18_Click,
                       &SalesPublisher::Command19_Click})
        (p.publisher.*click)();

    EXPECT_EQ(p.ui.messages.size(), unsafe.size() + 7);
    EXPECT_EQ(p.ui.messages.first().icon, OperatorUi::Icon::Exclamation);
    EXPECT_TRUE(p.ui.progressEvents.isEmpty());
    EXPECT_TRUE(p.server.receivedCommands().isEmpty());
    EXPECT_FALSE(QFile::exists(p.root.temp() + "/txt_court.txt"));
}

TEST(SalesFailures, AFailedCdIsLoggedAndNothingGoesIntoTheWrongFolder)
{
    Publishing p;
    QDir(p.server.path(kDetail + "/img_big")).removeRecursively();
    p.panel.Picture4_OLEDragDrop({p.picture("g.jpg", "G")});
    QDir(p.server.path(kSite + "/txt_thb")).removeRecursively();
    p.panel.txtCourt.setText("court");

    p.publisher.Command15_Click();
    p.publisher.Command18_Click();

    EXPECT_EQ(p.changes(), kWalkToDetail + QStringList{"CD img_big"} + kWalkToDetail.mid(0, 5) + QStringList{"CD txt_thb"});
    ASSERT_EQ(p.status.all().size(), 2);
    EXPECT_TRUE(p.status.all()[0].contains("Fichiers grandes vignettes")) << p.status.all()[0].toStdString();
    EXPECT_TRUE(p.status.all()[0].contains("CD img_big"));
    EXPECT_TRUE(p.status.all()[1].contains("Fichier texte court"));
    EXPECT_TRUE(p.status.all()[1].contains("CD txt_thb"));
    EXPECT_FALSE(QDir(p.server.path(kDetail + "/ref001")).exists());
    EXPECT_TRUE(p.ui.mainEnabled);
}

TEST(SalesFailures, ARefusedUploadIsLoggedWithItsFile)
{
    Publishing p({.faults = {"refuse:STOR"}});
    p.panel.txtDesc.setText("long");

    p.publisher.Command19_Click();

    ASSERT_EQ(p.status.all().size(), 1);
    const QString line = p.status.all().first();
    EXPECT_TRUE(line.contains("Fichier texte descriptif complet")) << line.toStdString();
    EXPECT_TRUE(line.contains(p.root.temp() + "/txt_desc.txt") && line.contains("ref001.txt")) << line.toStdString();
}

TEST(SalesFailures, MissingPicturesAreSkippedWithALineAndNoEmptyUpload)
{
    Publishing p;
    const QString a = p.picture("a.jpg", "A"), c = p.picture("c.jpg", "C");
    const QString gone = p.local.filePath("gone.jpg");
    p.panel.Picture3_OLEDragDrop({a, gone, c});

    p.publisher.Command13_Click();
    p.publisher.Command14_Click();

    const QStringList puts = p.changes().filter(QRegularExpression("^PUT"));
    EXPECT_EQ(puts, (QStringList{"PUT " + a + " ref001_1.jpg", "PUT " + c + " ref001_3.jpg"}));
    ASSERT_EQ(p.status.all().size(), 2);
    EXPECT_TRUE(p.status.all()[0].contains("Fichier image index"));
    EXPECT_TRUE(p.status.all()[1].contains(gone));
    EXPECT_EQ(p.progress.value(), 3);
}

TEST(SalesFailures, AnUnwritableTempFolderIsLoggedAndEndsNothing)
{
    Publishing p;
    QDir(p.root.temp()).removeRecursively();
    QFile blocker(p.root.temp());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    p.publisher.Command17_Click();

    EXPECT_EQ(p.status.all().size(), 2);
    EXPECT_TRUE(p.status.all()[0].contains("Fichier texte court"));
    EXPECT_TRUE(p.server.receivedCommands().isEmpty());
    EXPECT_EQ(p.ui.endedWith, -1);
    EXPECT_TRUE(p.ui.mainEnabled);
}
