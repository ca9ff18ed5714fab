#include "common/DataRoot.h"
#include "common/Module1.h"
#include "common/PlainName.h"
#include "common/StatusLog.h"
#include "hotels/HotelName.h"
#include "hotels/HotelPhrases.h"
#include "support/ScriptedOperator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class LocalHotels : public ::testing::Test {
protected:
    QTemporaryDir dir;
    Common::DataRoot root{dir.path()};
    Common::StatusLog status;
    ScriptedOperator op;
    Hotels::HotelPhrases hotels{root, status, op};

    void SetUp() override { root.ensureFolders(); }

    QByteArray fileBytes(const QString &name) const
    {
        QFile f(root.textes() + "/" + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    void seed(const QString &hotel, const QStringList &phrases)
    {
        Common::Module1::SaveListFile(root.textes() + "/" + Hotels::HotelName::fileName(hotel), phrases);
        hotels.lstHotel.addItem(hotel);
    }
};

} // namespace

TEST(HotelNames, CaseAndFileNameRules)
{
    EXPECT_EQ(Hotels::HotelName::fileName("LES PINS ÉTÉ"), "les pins été_txt.ini");
    EXPECT_EQ(Hotels::HotelName::fromFileName("les pins été_txt.ini"), "LES PINS ÉTÉ");
    EXPECT_EQ(Hotels::HotelName::fromFileName("welcome.ini"), "WEL");
    EXPECT_EQ(Hotels::HotelName::upper("ÿ µ ß"), "Ÿ µ ß"); // capitals outside the code page are not taken
}

TEST(HotelNames, UnsafeNamesAreRefused)
{
    for (const QString &bad : {QString(""), QString("   "), QString("a/b"), QString("a\\b"), QString("."),
                               QString(".."), QString("tab\there"), QString("cr\rlf"),
                               QString(QChar(0)) + "nul", QString(201, QChar('x')),
                               QString("smile 😀"), QString(" lead"), QString("trail ")})
        EXPECT_FALSE(Common::PlainName::typedProblem(bad).isEmpty()) << bad.toStdString();
    EXPECT_TRUE(Common::PlainName::typedProblem("Les Pins Été").isEmpty());
}

TEST_F(LocalHotels, AddingAHotelWritesTheDefaultPhraseAndSelectsIt)
{
    op.inputAnswers.enqueue("Mimosa");
    ASSERT_TRUE(hotels.addHotel());
    EXPECT_EQ(hotels.lstHotel.items(), QStringList{"MIMOSA"});
    EXPECT_EQ(hotels.lstHotel.listIndex(), 0);
    EXPECT_EQ(hotels.lblHotelName.text(), "HOTEL MIMOSA");
    EXPECT_EQ(hotels.lstHoteltxt.items(), QStringList{"BIENVENUE - WELCOME"});
    EXPECT_EQ(fileBytes("mimosa_txt.ini"), QByteArray("BIENVENUE - WELCOME\r\n"));
    EXPECT_EQ(status.all(), QStringList{"Hotel: MIMOSA ajouté avec succès"});
    EXPECT_EQ(op.inputs.at(0).prompt, "Veuillez entrer le nom de l'hotel");
    EXPECT_EQ(op.inputs.at(0).title, "Pendric Hotel Manager");
}

TEST_F(LocalHotels, RefusedAndDuplicateNamesChangeNothing)
{
    seed("MIMOSA", {"KEEP"});
    seed("LES PINS", {"X"});
    op.inputAnswers.enqueue("../evil");
    op.inputAnswers.enqueue("mimosa");
    op.inputAnswers.enqueue(""); // cancelled
    EXPECT_FALSE(hotels.addHotel());
    EXPECT_FALSE(hotels.addHotel());
    EXPECT_FALSE(hotels.addHotel());
    EXPECT_EQ(hotels.lstHotel.items(), (QStringList{"MIMOSA", "LES PINS"}));
    EXPECT_EQ(hotels.lstHotel.listIndex(), 0); // the existing hotel is shown instead
    EXPECT_EQ(fileBytes("mimosa_txt.ini"), QByteArray("KEEP\r\n"));
    ASSERT_EQ(op.messages.size(), 2);
    EXPECT_EQ(op.messages.at(0).title, "Pendric Hotel Manager");
    EXPECT_TRUE(QDir(dir.path()).entryList({"evil*"}).isEmpty());
    EXPECT_TRUE(status.all().isEmpty());
}

TEST_F(LocalHotels, PhraseEditingUpperCasesTypedTextOnly)
{
    seed("MIMOSA", {"bonjour", "deux", "trois"});
    hotels.lstHotel.setListIndex(0);
    EXPECT_EQ(hotels.lstHoteltxt.item(0), "bonjour"); // stored text shown as stored

    op.inputAnswers.enqueue("bonne nuit");
    hotels.addPhrase();
    hotels.lstHoteltxt.setListIndex(0);
    op.inputAnswers.enqueue("merci");
    hotels.editPhrase();
    EXPECT_EQ(op.inputs.at(1).prompt, "Modifiez votre phrase - Hôtel MIMOSA");
    EXPECT_EQ(op.inputs.at(1).defaultAnswer, "bonjour");
    EXPECT_EQ(hotels.lstHoteltxt.items(), (QStringList{"deux", "trois", "BONNE NUIT", "MERCI"}));

    hotels.lstHoteltxt.setListIndex(2);
    hotels.deletePhrase();
    EXPECT_EQ(status.all().last(), "BONNE NUIT: supprimé");

    op.inputAnswers.enqueue("snow ☃");
    hotels.addPhrase();
    EXPECT_EQ(hotels.lstHoteltxt.count(), 3);
}

TEST_F(LocalHotels, NothingSelectedMeansNothingAddedOrSavedButClearStillAsks)
{
    seed("MIMOSA", {"A"});
    op.inputAnswers.enqueue("x");
    hotels.addPhrase();
    EXPECT_TRUE(op.inputs.isEmpty());
    EXPECT_FALSE(hotels.savePhrases());
    hotels.lstHoteltxt.setItems({"P"});
    hotels.clearPhrases();
    EXPECT_EQ(hotels.lstHoteltxt.count(), 0);
    EXPECT_EQ(status.all(), QStringList{"Hotels: liste complète effacée"});
}

TEST_F(LocalHotels, ClearThenSaveWritesAnEmptyFileAndCancelKeepsTheList)
{
    seed("MIMOSA", {"A", "B"});
    hotels.lstHotel.setListIndex(0);
    op.messageAnswers.enqueue(Common::OperatorUi::Answer::Cancel);
    hotels.clearPhrases();
    EXPECT_EQ(hotels.lstHoteltxt.count(), 2);
    hotels.clearPhrases();
    ASSERT_TRUE(hotels.savePhrases());
    EXPECT_EQ(fileBytes("mimosa_txt.ini"), QByteArray());
    EXPECT_EQ(op.messages.at(0).text, "Etes-vous sur de vouloir effacer votre selection ?");
    EXPECT_EQ(status.all().last(), "Hotels: votre selection a été sauvegardée avec succès");
}

TEST_F(LocalHotels, MissingPhraseFileOrFolderNeverEndsTheProgram)
{
    hotels.lstHotel.addItem("GHOST");
    hotels.lstHoteltxt.setItems({"stale"});
    hotels.lstHotel.setListIndex(0);
    EXPECT_EQ(hotels.lstHoteltxt.count(), 0);
    EXPECT_EQ(hotels.lblHotelName.text(), "HOTEL GHOST");
    EXPECT_TRUE(status.all().last().startsWith("Hotel GHOST: phrases illisibles"));

    QDir(root.textes()).removeRecursively();
    hotels.lstHoteltxt.setItems({"NEW"});
    EXPECT_FALSE(hotels.savePhrases());
    EXPECT_TRUE(status.all().last().contains("ERREUR"));
}

TEST_F(LocalHotels, PhraseFileIsFoundWhateverItsLetterCase)
{
    Common::Module1::SaveListFile(root.textes() + "/Mimosa_TXT.ini", QStringList{"FROM SERVER"});
    hotels.lstHotel.addItem("MIMOSA");
    hotels.lstHotel.setListIndex(0);
    EXPECT_EQ(hotels.lstHoteltxt.items(), QStringList{"FROM SERVER"});
}
