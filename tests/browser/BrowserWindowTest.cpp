#include "app/Form1.h"
#include "support/PyftpdProcess.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void doubleClickRow(QListView *view, const QString &text)
{
    const QModelIndexList found =
        view->model()->match(view->model()->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    const QPoint at = view->visualRect(found.first()).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

class BrowserWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.isRunning());
        QTest::mouseClick(form.findChild<QPushButton *>("cmdFtp"), Qt::LeftButton);
        window = form.findChild<QWidget *>("BrowserWindow");
        ASSERT_NE(window, nullptr);
    }

    template <typename T> T *child(const char *name) const { return window->findChild<T *>(name); }

    PyftpdProcess server;
    QTemporaryDir dataRoot;
    App::Form1 form{server.profile(), dataRoot.path(), [](int) {}};
    QWidget *window = nullptr;
};

} // namespace

TEST_F(BrowserWindowTest, OpensFromTheFtpButtonWithItsControls)
{
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isWindow());
    EXPECT_EQ(window->parentWidget(), &form);
    EXPECT_EQ(form.findChild<QPushButton *>("cmdFtp")->geometry(), QRect(104, 8, 89, 25));

    const std::pair<const char *, const char *> captions[] = {
        {"Command1", "Connect"}, {"Command8", "Disconnect"}, {"Command7", "Cancel"},
        {"Command4", "Delete"},  {"Command5", "Rename"},     {"Command3", "New dir"},
        {"Command6", "Up"},      {"Command2", "UP"},         {"Command9", "MODE EDITION"},
        {"Command20", "SUPPRIMER"}};
    for (const auto &[name, caption] : captions) {
        ASSERT_NE(child<QPushButton>(name), nullptr) << name;
        EXPECT_EQ(child<QPushButton>(name)->text(), caption) << name;
    }
    auto *frame1 = child<QGroupBox>("Frame1");
    ASSERT_NE(frame1, nullptr);
    EXPECT_EQ(frame1->findChild<QListView *>("List2")->parentWidget(), frame1);
    EXPECT_EQ(child<QLabel>("Label2")->text(), "Folder:");
    EXPECT_EQ(child<QLabel>("Label3")->text(), "Folder:");
    EXPECT_FALSE(child<QPushButton>("Command20")->isEnabled());

    // The remote pane shows the session's own listing, not a copy.
    Ftp::FtpSession &session = form.manager().ftp();
    EXPECT_EQ(child<QListView>("List1")->model(), form.manager().browser().remote().List1.model());
    form.manager().browser().remote().Text2.setText("/www");
    EXPECT_EQ(child<QLineEdit>("Text2")->text(), "/www");
    session.status().StatusBar1.setText("Connecting to the host computer");
    EXPECT_EQ(child<QLabel>("StatusBar1")->text(), "Connecting to the host computer");

    // The local pane starts from the drives.
    EXPECT_EQ(child<QListView>("List2")->model()->index(0, 0).data().toString(), "/");
}

TEST_F(BrowserWindowTest, AFileGoesToTheServerAndBackByDoubleClicks)
{
    QTemporaryDir local;
    const QString name = "écran du hall.ini";
    {
        QFile file(local.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("BIENVENUE\r\n");
    }
    form.manager().ftp().configure();
    form.manager().browser().local().setPath(local.path());

    doubleClickRow(child<QListView>("List2"), name);
    EXPECT_EQ(server.fileContent(name), "BIENVENUE\r\n");

    QFile::remove(local.filePath(name));
    form.manager().browser().local().ChangeDir();
    doubleClickRow(child<QListView>("List1"), name);
    QFile back(local.filePath(name));
    ASSERT_TRUE(back.open(QIODevice::ReadOnly));
    EXPECT_EQ(back.readAll(), "BIENVENUE\r\n");
    EXPECT_EQ(child<QLineEdit>("Text1")->text(), QDir::cleanPath(local.path()) + "/");
}
