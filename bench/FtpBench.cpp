// One transfer through our FTP client, timed from outside by scripts/bench:
//   ftp_bench PORT put LOCAL REMOTE
//   ftp_bench PORT get REMOTE LOCAL
// Anonymous login on 127.0.0.1. Exit status 0 when the transfer succeeded.
#include "app/OperatorUi.h"
#include "ftp/FtpSession.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

// Nothing to show: a transfer asks the operator nothing.
class SilentOperator : public OperatorUi {
public:
    QString inputBox(const QString &, const QString &, const QString &) override { return {}; }
    Answer messageBox(const QString &, Buttons, Icon, const QString &) override { return Answer::Ok; }
    void setBusyCursor(bool) override {}
    void showProgressWindow(bool) override {}
    void hideProgressWindow() override {}
    void endProgram(int) override {}
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5 || (args[2] != "put" && args[2] != "get")) {
        std::fprintf(stderr, "usage: ftp_bench PORT put|get FROM TO\n");
        return 2;
    }
    SilentOperator ui;
    FtpSession session(ServerProfile{"127.0.0.1", args[1].toUShort(), "anonymous", "bench@"}, ui);
    session.configure();
    const FtpCommand command = args[2] == "put" ? FtpCommand::put(args[3], args[4])
                                                : FtpCommand::get(args[3], args[4]);
    const FtpOutcome outcome = session.runCommand(command);
    session.disconnectFTP();
    session.Wait();
    if (!outcome.ok)
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(command.text()), qPrintable(outcome.replyText));
    return outcome.ok ? 0 : 1;
}
