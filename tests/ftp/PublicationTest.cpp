#include "common/ProgressWindow.h"
#include "ftp/Publication.h"
#include "ftp/SessionHarness.h"
#include "support/PyftpdProcess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The skeleton every publisher runs on: shown, walked, sent, counted, closed and hidden,
// whichever way it ends.
TEST(Publication, RunsTheProgressProtocolAndStopsWhereTheWalkFails)
{
    PyftpdProcess server;
    QDir().mkpath(server.path("a/b"));
    QTemporaryDir local;
    const QString file = local.filePath("f.txt");
    QFile(file).open(QIODevice::WriteOnly);
    SessionHarness h(server.profile());
    Common::ProgressWindow progress(h.op);
    h.session.runAction([&] {
        Ftp::Publication publication(h.session, progress);
        EXPECT_EQ(h.op.progressEvents, QStringList{"show-blocking"});
        publication.setBar(2, 5);
        publication.connect();
        ASSERT_TRUE(publication.walk({"a", "b"}).ok);
        EXPECT_TRUE(publication.send("Envoi f", file, "f.txt").ok);
        EXPECT_EQ(progress.lblMaj.text(), "Envoi f");
        EXPECT_EQ(progress.value(), 3);
        EXPECT_EQ(progress.max(), 5);
        h.session.cancel(); // the connection gone between two files: the next one goes where the first did
        EXPECT_TRUE(publication.send("Envoi g", file, "g.txt").ok);
    });
    EXPECT_TRUE(QFile::exists(server.path("a/b/f.txt")));
    EXPECT_TRUE(QFile::exists(server.path("a/b/g.txt")));
    EXPECT_FALSE(QFile::exists(server.path("g.txt")));
    EXPECT_TRUE(h.sentLine("QUIT"));
    EXPECT_EQ(h.op.progressEvents, (QStringList{"show-blocking", "hide"}));

    h.sent.clear();
    h.session.runAction([&] {
        Ftp::Publication publication(h.session, progress);
        publication.connect();
        const Ftp::FtpOutcome walk = publication.walk({"a", "missing", "b"});
        EXPECT_FALSE(walk.ok);
        EXPECT_EQ(walk.command.text(), "CD missing");
    });
    EXPECT_EQ(h.sent.filter("CWD").size(), 4); // "/" and all three at once: "b" is harmless where the walk got stuck
    EXPECT_TRUE(h.sentLine("QUIT"));
    EXPECT_FALSE(h.op.progressShown);
}
