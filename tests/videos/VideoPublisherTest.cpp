#include "app/HotelManager.h"
#include "common/Module1.h"
#include "ftp/FtpUpload.h"
#include "support/PyftpdProcess.h"
#include "support/ScriptedOperator.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The content server's video folders on a real server.
class ContentServer : public PyftpdProcess {
public:
    explicit ContentServer(const Options &options) : PyftpdProcess(options)
    {
        for (const Videos::Category &c : Videos::categories())
            QDir().mkpath(path("www/hmanager/datas/videos/" + c.key));
        QDir().mkpath(path("www/hmanager/datas/videos_lst"));
    }

    QStringList commands(const QString &verb) const
    {
        return receivedCommands().filter(QRegularExpression("^" + verb + "\\b"));
    }
};

class Publishing : public ::testing::Test {
protected:
    explicit Publishing(const PyftpdProcess::Options &options = {}) : server(options) {}

    void SetUp() override
    {
        ASSERT_NE(server.profile().port, 0);
        ASSERT_TRUE(QDir().mkpath(local.filePath("cfg")));
        ASSERT_TRUE(QDir().mkpath(local.filePath("videos")));
        for (const QString &name : QStringList{"a.mp4", "b vidéo.mp4", "c.avi"})
            writeVideo(name, name.toUtf8().repeated(1000));
        manager.ftp().configure();
        QObject::connect(&manager.form3(), &Common::ProgressWindow::valueSet, &manager,
                         [this](float value) { progress.append(value); });
    }

    void writeVideo(const QString &name, const QByteArray &content)
    {
        QFile file(video(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QString video(const QString &name) const { return local.filePath("videos/" + name); }
    QByteArray remote(const QString &relative) const
    {
        QFile file(server.path("www/hmanager/datas/" + relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(absent)");
    }
    // What the server received; the last "CLOSE" is only handed over, so it is awaited here.
    QStringList received(const QString &verb)
    {
        manager.ftp().Wait();
        return server.commands(verb);
    }
    Common::ListBox &list(const QString &key) { return manager.categories().list(key); }
    int index(const QString &key) { return manager.categories().indexOf(key); }
    QStringList status() { return manager.status().all(); }

    static QStringList repeated(const QStringList &lines, int times)
    {
        QStringList all;
        for (int i = 0; i < times; ++i)
            all += lines;
        return all;
    }
    static QStringList videoLines(const QString &category, int count)
    {
        return repeated({"Catégorie " + category + ": envoi vidéo pour mise à jour...",
                         "Catégorie " + category + ": envoi vidéo pour mise à jour OK"},
                        count);
    }
    static QString errorLine(const QString &category)
    {
        return "Catégorie " + category + ": * * * ERREUR DE MISE A JOUR VEUILLEZ RECOMMENCER * * *";
    }

    ContentServer server;
    QTemporaryDir local;
    ScriptedOperator op;
    App::HotelManager manager{server.profile(), local.path(), op};
    QList<float> progress; // the bar's value at each move
};

class RefusingServer : public Publishing {
protected:
    RefusingServer() : Publishing({true, {"refuse:STOR"}, 0}) {}
};

class SlowServer : public Publishing {
protected:
    SlowServer() : Publishing({true, {}, 400000}) {}
};

} // namespace

TEST_F(Publishing, SendAllOverThreeVideosUsesOneConnectionAndMovesTheSelection)
{
    list("plages").setItems({video("a.mp4"), video("b vidéo.mp4"), video("c.avi")});
    QList<int> selected;
    QObject::connect(&list("plages"), &Common::ListBox::clicked, &manager, [&](int i) { selected.append(i); });

    manager.videos().sendAll(index("plages"));

    EXPECT_EQ(status(), videoLines("PLAGES", 3));
    EXPECT_EQ(received("USER").size(), 1);
    EXPECT_EQ(received("QUIT").size(), 1);
    // each step from the login folder, sent with the walk
    EXPECT_EQ(received("CWD"), repeated({"CWD /", "CWD www", "CWD hmanager", "CWD datas", "CWD videos", "CWD plages"}, 3));
    for (const QString &name : QStringList{"a.mp4", "b vidéo.mp4", "c.avi"})
        EXPECT_EQ(remote("videos/plages/" + name), name.toUtf8().repeated(1000)) << name.toStdString();
    EXPECT_EQ(selected, (QList<int>{0, 1, 2}));
    EXPECT_EQ(list("plages").listIndex(), 2);
    EXPECT_EQ(progress, (QList<float>{0, 1, 1, 2, 2, 3}));
    EXPECT_EQ(manager.form3().max(), 3);
    EXPECT_EQ(op.progressEvents, repeated({"show-blocking", "hide"}, 3));
    EXPECT_EQ(op.cursorChanges, (QList<bool>{true, false}));
    EXPECT_TRUE(op.mainEnabled);
}

TEST_F(Publishing, SendAllOverTwoVideosStartsTheBarAtZeroEachTime)
{
    list("night").setItems({video("a.mp4"), video("c.avi")});
    manager.videos().sendAll(index("night"));
    EXPECT_EQ(progress, (QList<float>{0, 1, 0, 1}));
    EXPECT_EQ(manager.form3().max(), 2);
    EXPECT_EQ(remote("videos/night/c.avi"), QByteArray("c.avi").repeated(1000));
}

TEST_F(Publishing, SendSelectedWithoutASelectionSendsNothing)
{
    list("boutiques").setItems({video("a.mp4")});
    manager.videos().sendSelected(index("boutiques"));
    EXPECT_TRUE(status().isEmpty());
    EXPECT_TRUE(op.progressEvents.isEmpty());
    EXPECT_TRUE(received("USER").isEmpty());
    EXPECT_EQ(op.cursorChanges, (QList<bool>{true, false}));
}

TEST_F(Publishing, SendListSendsTheFileAsLastSavedUnderTheCategoryKey)
{
    list("services").setItems({video("a.mp4"), video("c.avi")});
    manager.categories().save(index("services"), manager.root(), manager.status());
    list("services").addItem(video("b vidéo.mp4"));
    QFile saved(manager.root().categoryFile("services"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));

    manager.videos().sendList(index("services"));

    EXPECT_EQ(remote("videos_lst/services.ini"), saved.readAll());
    EXPECT_EQ(status().mid(1), QStringList{"Catégorie SERVICES: envoi liste vidéo pour mise à jour..."});
    EXPECT_EQ(received("CWD"), (QStringList{"CWD /", "CWD www", "CWD hmanager", "CWD datas", "CWD videos_lst"}));
    EXPECT_EQ(progress, (QList<float>{0, 1}));
    EXPECT_EQ(manager.form3().max(), 2);
    EXPECT_EQ(op.cursorChanges, (QList<bool>{true, false}));
}

TEST_F(Publishing, SendEverythingGoesThroughTheCategoriesInTheirOrderAndSendsNoList)
{
    list("documentaires").setItems({video("c.avi")});
    list("restaurants").setItems({video("a.mp4")});
    list("night").setItems({video("b vidéo.mp4")});

    manager.videos().sendAllCategories();

    EXPECT_EQ(received("CWD").filter(QRegularExpression("^CWD (restaurants|night|documentaires|videos_lst)$")),
              (QStringList{"CWD restaurants", "CWD night", "CWD documentaires"}));
    EXPECT_EQ(received("STOR").size(), 3);
    EXPECT_EQ(remote("videos/restaurants/a.mp4"), QByteArray("a.mp4").repeated(1000));
    EXPECT_EQ(remote("videos/night/b vidéo.mp4"), QByteArray("b vidéo.mp4").repeated(1000));
    EXPECT_EQ(remote("videos/documentaires/c.avi"), QByteArray("c.avi").repeated(1000));
    EXPECT_EQ(status(), videoLines("RESTAURANTS", 1) + videoLines("NIGHT", 1) + videoLines("DOCUMENTAIRES", 1));
    EXPECT_EQ(op.cursorChanges, (QList<bool>{true, false})) << "one hourglass for the one action";
}

TEST_F(Publishing, AMissingCategoryFolderIsAnErrorAndNothingLandsInTheParent)
{
    ASSERT_TRUE(QDir(server.path("www/hmanager/datas/videos/plages")).removeRecursively());
    list("plages").setItems({video("a.mp4")});
    manager.videos().sendAll(index("plages"));
    EXPECT_EQ(status(), (QStringList{"Catégorie PLAGES: envoi vidéo pour mise à jour...", errorLine("PLAGES")}));
    EXPECT_TRUE(received("STOR").isEmpty());
    EXPECT_EQ(remote("videos/a.mp4"), "(absent)");
    EXPECT_EQ(received("QUIT").size(), 1);
    EXPECT_EQ(op.progressEvents.last(), "hide");
}

TEST_F(RefusingServer, ARefusedUploadOfAVideoOrAListIsAnError)
{
    list("night").setItems({video("a.mp4")});
    list("night").setListIndex(0);
    manager.videos().sendSelected(index("night"));
    manager.categories().save(index("night"), manager.root(), manager.status());
    manager.videos().sendList(index("night"));
    EXPECT_EQ(status(), (QStringList{"Catégorie NIGHT: envoi vidéo pour mise à jour...", errorLine("NIGHT"),
                                     "Night: votre selection a été sauvegardée avec succès",
                                     "Catégorie NIGHT: envoi liste vidéo pour mise à jour...", errorLine("NIGHT")}));
    EXPECT_EQ(received("STOR").size(), 2);
    EXPECT_TRUE(op.mainEnabled);
}

TEST_F(Publishing, AVideoGoneFromDiskIsSkippedWithALineAndTheOthersAreSent)
{
    list("plages").setItems({video("a.mp4"), video("parti.mp4"), video("c.avi")});
    manager.videos().sendAll(index("plages"));
    EXPECT_EQ(status(), (QStringList{videoLines("PLAGES", 1)}
                         << "Catégorie PLAGES: vidéo introuvable, non envoyée: " + video("parti.mp4"))
                            + videoLines("PLAGES", 1));
    EXPECT_EQ(received("STOR").size(), 2);
    EXPECT_EQ(QDir(server.path("www/hmanager/datas/videos/plages")).entryList(QDir::Files),
              (QStringList{"a.mp4", "c.avi"}));
    EXPECT_EQ(received("USER").size(), 1);
}

// A second "=>" sends only the video that changed; the others keep their OK line and the
// detail says why nothing went.
TEST_F(Publishing, VideosAlreadyOnTheServerAreNotSentAgain)
{
    list("plages").setItems({video("a.mp4"), video("b vidéo.mp4"), video("c.avi")});
    manager.videos().sendAll(index("plages"));
    ASSERT_EQ(received("STOR").size(), 3);
    writeVideo("c.avi", QByteArray("c.avi").repeated(1000)); // same size, newer
    QFile changed(video("c.avi"));
    ASSERT_TRUE(changed.open(QIODevice::ReadWrite)
                && changed.setFileTime(QDateTime::currentDateTimeUtc().addSecs(60), QFileDevice::FileModificationTime));
    QStringList details;
    QObject::connect(&manager.form3().detail, &Common::TextValue::changed, [&](const QString &text) { details.append(text); });

    manager.videos().sendAll(index("plages"));

    EXPECT_EQ(received("STOR").mid(3).filter(QRegularExpression("^STOR ~hmpart-[0-9a-f]{8}-c\\.avi$")).size(), 1);
    EXPECT_EQ(received("STOR").size(), 4);
    EXPECT_EQ(status().mid(6, 6), videoLines("PLAGES", 3));
    EXPECT_EQ(details.count(Videos::VideoPublisher::kAlreadyThere), 2);
    EXPECT_EQ(received("MFMT").size(), 4); // each copy sent carries the local time
    // Each action: the login folder's listing, the category's one, a size check per copy sent,
    // and its size and time asked in the rename's flight.
    EXPECT_EQ(received("(MLSD|SIZE|MDTM)").size(), (2 + 3 + 2 * 3) + (2 + 1 + 2 * 1));
}

// A video whose data connection drops once arrives whole without anyone doing anything; the
// log and the detail line say a new try is under way.
TEST_F(Publishing, AVideoBrokenOffOnceArrivesWhole)
{
    manager.ftp().setTimeouts({5000, 5000, 5000, 50});
    writeVideo("a.mp4", QByteArray(300000, 'a'));
    list("plages").setItems({video("a.mp4")});
    server.setFaults({"drop-once:100000"});
    QStringList details;
    QObject::connect(&manager.form3().detail, &Common::TextValue::changed, [&](const QString &text) { details.append(text); });

    manager.videos().sendAll(index("plages"));

    EXPECT_EQ(remote("videos/plages/a.mp4"), QByteArray(300000, 'a'));
    EXPECT_EQ(status(), (QStringList{"Catégorie PLAGES: envoi vidéo pour mise à jour...",
                                     "a.mp4: reprise après coupure (1/3)",
                                     "Catégorie PLAGES: envoi vidéo pour mise à jour OK"}));
    EXPECT_TRUE(details.contains("Coupure: reprise après coupure (1/3)..."));
}

// Only a copy whose time the server set to the local file's counts: where it cannot set
// times, a same-size replacement (a clip re-encoded at the same bitrate) is always sent.
TEST(VideoSkip, SameFileNeedsSizeAndTime)
{
    const QDateTime t = QDateTime::fromSecsSinceEpoch(1'700'000'000, Qt::UTC);
    EXPECT_TRUE(Ftp::FtpUpload::sameFile(10, t, 10, t, true));
    EXPECT_FALSE(Ftp::FtpUpload::sameFile(10, t, 10, t.addSecs(1), true));
    EXPECT_FALSE(Ftp::FtpUpload::sameFile(10, t, 11, t, true));
    EXPECT_FALSE(Ftp::FtpUpload::sameFile(10, t, -1, t, true));
    EXPECT_FALSE(Ftp::FtpUpload::sameFile(10, t, 10, QDateTime(), true));
    EXPECT_FALSE(Ftp::FtpUpload::sameFile(10, t, 10, t.addSecs(30), false));
    EXPECT_FALSE(Ftp::FtpUpload::sameFile(10, t, 10, t, false));
}

TEST_F(Publishing, AListNeverSavedIsNotSent)
{
    list("boutiques").setItems({video("a.mp4")});
    manager.videos().sendList(index("boutiques"));
    EXPECT_EQ(status(), QStringList{"Catégorie BOUTIQUES: liste vidéo jamais sauvegardée, rien n'est envoyé"});
    EXPECT_TRUE(received("USER").isEmpty());
    EXPECT_TRUE(op.progressEvents.isEmpty());
}

TEST_F(SlowServer, TheProgressWindowShowsBytesSpeedAndTimeLeftAtLeastEverySecond)
{
    writeVideo("long.mp4", QByteArray(900000, 'v'));
    list("services").setItems({video("long.mp4")});
    list("services").setListIndex(0);
    QElapsedTimer clock;
    QList<qint64> times;
    QStringList texts;
    QObject::connect(&manager.form3().detail, &Common::TextValue::changed, &manager, [&](const QString &text) {
        times.append(clock.elapsed());
        texts.append(text);
    });
    clock.start();

    manager.videos().sendSelected(index("services"));

    ASSERT_GE(times.last(), 1500); // long enough for the refresh to matter
    ASSERT_GE(texts.size(), 3);
    EXPECT_EQ(texts.last(), QString());
    // The total and the time left show once the client knows the size.
    const QRegularExpression line("^\\d+,\\d Mo envoyés( sur 0,9 Mo)? - \\d+,\\d Mo/s( - reste \\d+:\\d\\d)?$");
    EXPECT_EQ(texts.filter(" sur 0,9 Mo - ").size(), texts.size() - 2);
    for (int i = 0; i + 1 < texts.size(); ++i) {
        EXPECT_TRUE(line.match(texts[i]).hasMatch()) << texts[i].toStdString();
        EXPECT_LE(times[i + 1] - times[i], 1100) << texts[i].toStdString();
    }
    EXPECT_EQ(remote("videos/services/long.mp4").size(), 900000);
}
