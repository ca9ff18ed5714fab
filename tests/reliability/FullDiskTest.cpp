#include "app/HotelManager.h"
#include "common/Module1.h"
#include "support/PyftpdProcess.h"
#include "support/ScriptedOperator.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

// A data root on a small tmpfs of its own, mounted for the test (root only).
class FullDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (geteuid() != 0)
            GTEST_SKIP() << "a full disk needs a tmpfs mounted as root; not root here";
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=256k", "tmpfs", disk.path()}) != 0)
            GTEST_SKIP() << "mounting a tmpfs was refused (no mount privilege in this container)";
        mounted = true;
        QDir().mkpath(root() + "/cfg/textes");
    }
    void TearDown() override
    {
        if (mounted)
            QProcess::execute("umount", {disk.path()});
    }

    QString root() const { return disk.path() + "/data"; }
    QString textes(const QString &name) const { return root() + "/cfg/textes/" + name; }
    // Writes until the disk refuses another byte.
    void fill() const
    {
        QFile filler(disk.path() + "/filler");
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }

    QTemporaryDir disk;
    bool mounted = false;
};

} // namespace

TEST_F(FullDisk, ListFileSaveFailsAndKeepsTheOldFile)
{
    Common::Module1::SaveListFile(textes("mimosa_txt.ini"), QStringList{"KEEP"});
    fill();
    EXPECT_THROW(Common::Module1::SaveListFile(textes("mimosa_txt.ini"), QStringList(2000, "A LONGER PHRASE")),
                 Common::ListFileError);
    EXPECT_EQ(TestFiles::read(textes("mimosa_txt.ini")), "KEEP\r\n");
}

TEST_F(FullDisk, StartUpDownloadKeepsTheLocalCopiesAndSaysItFailed)
{
    PyftpdProcess server;
    ASSERT_TRUE(server.isRunning());
    server.putFile("www/hmanager/datas/textes/mimosa_txt.ini", QByteArray("MIMOSA SERVEUR\r\n").repeated(20000));
    Common::Module1::SaveListFile(textes("mimosa_txt.ini"), QStringList{"MIMOSA LOCAL"});
    fill();

    ScriptedOperator op;
    App::HotelManager app(server.profile(), root(), op);
    app.start();
    app.ftp().Wait();

    EXPECT_EQ(TestFiles::read(textes("mimosa_txt.ini")), "MIMOSA LOCAL\r\n") << app.status().all().join("\n").toStdString();
    const QStringList log = app.status().all();
    EXPECT_FALSE(log.contains("Telechargement des phrases depuis le serveur ... OK")) << log.join("\n").toStdString();
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const QString &l) { return l.contains("ERREUR"); }))
        << log.join("\n").toStdString();
    EXPECT_TRUE(op.mainEnabled);
    EXPECT_FALSE(op.progressShown);
}
