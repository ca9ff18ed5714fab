#include "app/HotelManager.h"

#include "common/OperatorUi.h"

#include <exception>
#include <utility>

namespace App {

HotelManager::HotelManager(const Common::ServerProfile &profile, const QString &dataRoot, Common::OperatorUi &ui,
                           QObject *parent)
    : QObject(parent), ui_(ui), root_(dataRoot), form3_(ui),
      ftp_(profile, ui, root_.cfg() + QStringLiteral("/trusted-certificates")), hotels_(root_, status_, ui),
      phraseDownloader_(root_, hotels_, ftp_, form3_, status_),
      browser_(ftp_, form3_, status_, ui), sales_(ui)
{
    browser_.setGuard(&phraseGuard_);
    connect(&ftp_, &Ftp::FtpSession::retrying, this, [this](const QString &file, int attempt, int tries) {
        status_.Ajout_Status(QStringLiteral("%1: reprise après coupure (%2/%3)").arg(file).arg(attempt).arg(tries));
    });
    connect(&ftp_, &Ftp::FtpSession::putBack, this, [this](const QString &file, const QString &aside) {
        status_.Ajout_Status(QStringLiteral("%1: remis en place depuis %2, une copie interrompue").arg(file, aside));
    });
    // Said once a run: every later connection to the same server would say it again.
    connect(&ftp_.status().TlsRefusal, &Common::TextValue::changed, this, [this](const QString &refusal) {
        if (!refusal.isEmpty() && !std::exchange(toldTlsRefused_, true))
            status_.Ajout_Status(refusal);
    });
}

void HotelManager::start()
{
    runStep(QStringLiteral("dossiers locaux"), [this] { prepareFolders(); });
    runStep(QStringLiteral("listes des catégories"), [this] { categories_.loadAll(root_); });
    // One action: the connection opens with the phrase folder's walk and closes at its end.
    ftp_.runAction([this] {
        runStep(QStringLiteral("connexion"), [this] { ftp_.startUp(); });
        runStep(QStringLiteral("phrases"), [this] { phraseDownloader_.DownPhrases(); });
    });
}

void HotelManager::stop()
{
    // Waiting for the client to be idle could last as long as the transfer, or for ever
    // with a server that stopped answering; uploads and downloads only ever take their
    // final names once complete, so dropping them here loses nothing.
    ftp_.cancel();
    ui_.endProgram(0);
}

void HotelManager::runStep(const QString &what, const std::function<void()> &step)
{
    try {
        step();
    } catch (const std::exception &e) {
        status_.Ajout_Status(QStringLiteral("Démarrage (%1): %2").arg(what, QString::fromLocal8Bit(e.what())));
    }
}

void HotelManager::prepareFolders()
{
    // The working folders used to come from an installer; a copied program makes its own.
    for (const QString &folder : root_.ensureFolders())
        status_.Ajout_Status(QStringLiteral("Impossible de créer le dossier %1").arg(folder));
}

} // namespace App
