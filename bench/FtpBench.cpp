// The program's own work against a server on 127.0.0.1, timed from outside by scripts/bench:
//   ftp_bench PORT put LOCAL REMOTE      one upload
//   ftp_bench PORT get REMOTE LOCAL      one download
//   ftp_bench PORT start ROOT            the start-up sequence on data root ROOT
//   ftp_bench PORT publish ROOT          "publish all" of the hotels stored under ROOT
//   ftp_bench PORT videos ROOT           "=>" of the first category saved under ROOT
//   ftp_bench PORT list FOLDER           connect, then GetDir of FOLDER
// Anonymous login; with HM_BENCH_CA set (a CA's PEM file), TLS required and that CA trusted.
// Prints the count the script checks: hotels listed after start, transfers logged OK, or
// entries listed; put prints the bytes the process wrote (the data sent, tries included);
// put and get exit 1 on failure.
#include "app/HotelManager.h"
#include "common/OperatorUi.h"
#include "ftp/TransferMemory.h"
#include "hotels/HotelName.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

// Nothing to show and no one to answer: every box gets OK.
class SilentOperator : public Common::OperatorUi {
public:
    QString inputBox(const QString &, const QString &, const QString &) override { return {}; }
    Answer messageBox(const QString &, Buttons, Icon, const QString &) override { return Answer::Ok; }
    void setBusyCursor(bool) override {}
    void showProgressWindow(bool) override {}
    void hideProgressWindow() override {}
    void endProgram(int) override {}
};

Common::ServerProfile profile(const QString &port)
{
    Common::ServerProfile account{"127.0.0.1", port.toUShort(), "anonymous", "bench@", Common::TlsPolicy::Off};
    QFile ca(qEnvironmentVariable("HM_BENCH_CA"));
    if (!ca.fileName().isEmpty() && ca.open(QIODevice::ReadOnly)) {
        account.tls = Common::TlsPolicy::Required;
        account.extraCaPem = ca.readAll();
    }
    return account;
}

// What the process wrote through write(2) and send(2): for an upload, the bytes sent.
long long bytesWritten()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : io.readAll().split('\n'))
        if (line.startsWith("wchar:"))
            return line.mid(6).trimmed().toLongLong();
    return -1;
}

int transfer(Ftp::FtpSession &session, const Ftp::FtpCommand &command)
{
    const Ftp::FtpOutcome outcome = session.runCommand(command);
    session.disconnectFTP();
    session.Wait();
    if (command.verb() == Ftp::FtpCommand::Verb::Put)
        std::printf("%lld\n", bytesWritten());
    if (!outcome.ok)
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(command.text()), qPrintable(outcome.replyText));
    return outcome.ok ? 0 : 1;
}

// Transfers the status log reports as arrived; the log keeps only its newest lines.
int countOkLines(App::HotelManager &manager, const std::function<void()> &work)
{
    int ok = 0;
    manager.ftp().configure();
    Common::ListBox &log = manager.status().lines();
    QObject::connect(&log, &Common::ListBox::clicked, [&] { ok += log.currentText().endsWith(" OK"); });
    work();
    manager.ftp().Wait();
    return ok;
}

int runManager(const QStringList &args, Common::OperatorUi &ui)
{
    App::HotelManager manager(profile(args[1]), args[3], ui);
    const QString mode = args[2];
    int count = 0;
    if (mode == "start") {
        manager.start();
        count = manager.hotels().lstHotel.count();
    } else if (mode == "publish") {
        for (const QString &file : QDir(manager.root().textes()).entryList(QDir::Files, QDir::Name))
            manager.hotels().lstHotel.addItem(Hotels::HotelName::fromFileName(file));
        count = countOkLines(manager, [&] { manager.phrasePublisher().publishAll(); });
    } else {
        manager.categories().loadAll(manager.root());
        count = countOkLines(manager, [&] { manager.videos().sendAll(0); });
    }
    std::printf("%d\n", count);
    return 0;
}

int list(const QStringList &args, Common::OperatorUi &ui)
{
    Ftp::FtpSession session(profile(args[1]), ui);
    session.configure();
    session.connectFTP();
    const Ftp::Listing listing = session.GetDir(args[3]);
    std::printf("%lld\n", static_cast<long long>(listing.ok ? listing.entries.size() : -1));
    session.disconnectFTP();
    session.Wait();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    Ftp::keepTransferBuffers(); // as the program does
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QStringList managerModes = {"start", "publish", "videos"};
    SilentOperator ui;
    if (args.size() == 5 && (args[2] == "put" || args[2] == "get")) {
        Ftp::FtpSession session(profile(args[1]), ui);
        session.configure();
        return transfer(session, args[2] == "put" ? Ftp::FtpCommand::put(args[3], args[4])
                                                  : Ftp::FtpCommand::get(args[3], args[4]));
    }
    if (args.size() == 4 && managerModes.contains(args[2]))
        return runManager(args, ui);
    if (args.size() == 4 && args[2] == "list")
        return list(args, ui);
    std::fprintf(stderr, "usage: ftp_bench PORT put|get FROM TO | start|publish|videos ROOT | list FOLDER\n");
    return 2;
}
