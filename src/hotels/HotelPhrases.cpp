#include "hotels/HotelPhrases.h"

#include "common/Cp1252.h"
#include "common/DataRoot.h"
#include "common/Module1.h"
#include "common/OperatorUi.h"
#include "common/PlainName.h"
#include "common/StatusLog.h"
#include "hotels/HotelName.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Hotels {

namespace {

const QString kDefaultPhrase = QStringLiteral("BIENVENUE - WELCOME");
const QString kConfirmClear = QStringLiteral("Etes-vous sur de vouloir effacer votre selection ?");

} // namespace

HotelPhrases::HotelPhrases(const Common::DataRoot &root, Common::StatusLog &status, Common::OperatorUi &ui, QObject *parent)
    : QObject(parent), root_(root), status_(status), ui_(ui)
{
    connect(&lstHotel, &Common::ListBox::clicked, this, &HotelPhrases::selectHotel);
}

QString HotelPhrases::phraseFilePath(const QString &hotel) const
{
    const QString name = HotelName::fileName(hotel);
    const QString exact = root_.textes() + QLatin1Char('/') + name;
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList found = QDir(root_.textes()).entryList(QDir::Files);
    for (const QString &entry : found)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return root_.textes() + QLatin1Char('/') + entry;
    return exact;
}

void HotelPhrases::selectHotel(int index)
{
    const QString hotel = lstHotel.item(index);
    lblHotelName.setText(QStringLiteral("HOTEL ") + HotelName::upper(hotel));
    try {
        Common::Module1::LoadListFile(phraseFilePath(hotel), lstHoteltxt);
    } catch (const Common::ListFileError &e) {
        status_.Ajout_Status(QStringLiteral("Hotel %1: phrases illisibles (%2)").arg(hotel, e.message()));
    }
}

bool HotelPhrases::addHotel()
{
    const QString answer = askHotelName();
    if (answer.isEmpty())
        return false;
    const QString hotel = HotelName::upper(answer);
    const int existing = lstHotel.items().indexOf(hotel);
    if (existing >= 0) {
        refuse(QStringLiteral("L'hôtel %1 existe déjà.").arg(hotel));
        lstHotel.setListIndex(existing);
        return false;
    }
    try {
        Common::Module1::SaveListFile(root_.textes() + QLatin1Char('/') + HotelName::fileName(answer),
                              QStringList{kDefaultPhrase});
    } catch (const Common::ListFileError &e) {
        status_.Ajout_Status(QStringLiteral("Hotel %1: * * * ERREUR D'ENREGISTREMENT (%2) * * *").arg(hotel, e.message()));
        return false;
    }
    lstHotel.addItem(hotel);
    lstHotel.setListIndex(lstHotel.count() - 1);
    status_.Ajout_Status(QStringLiteral("Hotel: ") + hotel + QStringLiteral(" ajouté avec succès"));
    return true;
}

void HotelPhrases::withdraw(const QString &hotel)
{
    QFile::remove(phraseFilePath(hotel));
    lstHotel.removeItem(static_cast<int>(lstHotel.items().indexOf(hotel)));
    if (lstHotel.count() > 0)
        lstHotel.setListIndex(0);
    else
        lstHoteltxt.clear();
}

QString HotelPhrases::askHotelName()
{
    const QString answer = ui_.inputBox(QStringLiteral("Veuillez entrer le nom de l'hotel"),
                                        Common::OperatorUi::kDialogTitle);
    if (answer.isEmpty())
        return {};
    const QString why = Common::PlainName::typedProblem(answer);
    if (!why.isEmpty()) {
        refuse(QStringLiteral("Nom d'hôtel refusé: %1.").arg(why));
        return {};
    }
    return answer;
}

void HotelPhrases::addPhrase()
{
    if (lstHotel.listIndex() < 0)
        return;
    const QString answer = askPhrase(QStringLiteral("Veuillez entrer votre phrase"), {});
    if (!answer.isEmpty())
        lstHoteltxt.addItem(HotelName::upper(answer));
}

void HotelPhrases::editPhrase()
{
    if (lstHoteltxt.count() == 0 || lstHoteltxt.listIndex() < 0)
        return;
    const int selected = lstHoteltxt.listIndex();
    const QString answer = askPhrase(QStringLiteral("Modifiez votre phrase - Hôtel ") + lstHotel.currentText(),
                                     lstHoteltxt.item(selected));
    if (answer.isEmpty())
        return;
    lstHoteltxt.removeItem(selected);
    lstHoteltxt.addItem(HotelName::upper(answer));
}

// A phrase is one line of a Windows-1252 file: line breaks and foreign characters are refused.
QString HotelPhrases::askPhrase(const QString &prompt, const QString &defaultAnswer)
{
    const QString answer = ui_.inputBox(prompt, Common::OperatorUi::kDialogTitle, defaultAnswer);
    if (answer.contains(QLatin1Char('\r')) || answer.contains(QLatin1Char('\n'))
        || !Common::Cp1252::canEncode(answer)) {
        refuse(QStringLiteral("Phrase refusée: elle contient des caractères non pris en charge."));
        return {};
    }
    return answer;
}

void HotelPhrases::deletePhrase()
{
    const int selected = lstHoteltxt.listIndex();
    if (selected < 0)
        return;
    status_.Ajout_Status(lstHoteltxt.item(selected) + QStringLiteral(": supprimé"));
    lstHoteltxt.removeItem(selected);
}

bool HotelPhrases::savePhrases()
{
    if (lstHotel.listIndex() < 0)
        return false;
    const QString hotel = lstHotel.currentText();
    try {
        Common::Module1::SaveListFile(phraseFilePath(hotel), lstHoteltxt);
    } catch (const Common::ListFileError &e) {
        status_.Ajout_Status(QStringLiteral("Hotels: * * * ERREUR D'ENREGISTREMENT (%1) * * *").arg(e.message()));
        return false;
    }
    status_.Ajout_Status(QStringLiteral("Hotels: votre selection a été sauvegardée avec succès"));
    return true;
}

void HotelPhrases::clearPhrases()
{
    if (ui_.messageBox(kConfirmClear, Common::OperatorUi::Buttons::OkCancel, Common::OperatorUi::Icon::Question,
                       Common::OperatorUi::kDialogTitle) != Common::OperatorUi::Answer::Ok)
        return;
    lstHoteltxt.clear();
    status_.Ajout_Status(QStringLiteral("Hotels: liste complète effacée"));
}

void HotelPhrases::refuse(const QString &text)
{
    ui_.messageBox(text, Common::OperatorUi::Buttons::Ok, Common::OperatorUi::Icon::Exclamation, Common::OperatorUi::kDialogTitle);
}

} // namespace Hotels
