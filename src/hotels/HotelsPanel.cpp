#include "hotels/HotelsPanel.h"

#include "hotels/HotelPhrases.h"
#include "hotels/PhrasePublisher.h"
#include "widgets/ControlHelp.h"
#include "widgets/Icons.h"
#include "widgets/ListBoxView.h"
#include "widgets/TextLabel.h"
#include "widgets/Twips.h"

#include <QLabel>
#include <QPushButton>

namespace Hotels {

namespace {

QLabel *label(const QString &name, const QString &text, const QRect &geometry, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    l->setFont(QFont(QStringLiteral("Century Gothic")));
    return l;
}

QPushButton *pictureButton(const QString &name, const QIcon &icon, const QRect &geometry, QWidget *parent)
{
    auto *b = new QPushButton(parent);
    b->setObjectName(name);
    b->setIcon(icon);
    b->setIconSize(geometry.size() * 0.7);
    b->setGeometry(geometry);
    return b;
}

void explain(QWidget *client)
{
    Widgets::explainControls(client, Widgets::controlHelp(QStringLiteral(":/HotelsPanel.controls.tsv")), {
        {"lstHoteltxt", Qt::Key_F2, "F2", "lstHoteltxt"},
        {"Command40", Qt::Key_Insert, "Inser", "lstHoteltxt"},
        {"Command41", Qt::Key_Delete, "Suppr", "lstHoteltxt"},
        {"Command38", Qt::Key_Delete, "Suppr", "lstHotel"},
        {"Command42", QKeySequence::Save, "Ctrl+S"},
    });
}

} // namespace

HotelsPanel::HotelsPanel(HotelPhrases &hotels, PhrasePublisher &publisher, QWidget *client)
    : QObject(client)
{

    auto *name = new Widgets::TextLabel(hotels.lblHotelName, client);
    name->setGeometry(Widgets::twipsRect(4200, 1800, 7455, 375));
    name->setFont(QFont(QStringLiteral("Century Gothic")));
    name->setStyleSheet(QStringLiteral("font-weight: bold;"));
    label(QStringLiteral("Label23"), QStringLiteral("HOTELS"), Widgets::twipsRect(120, 2280, 3855, 255), client);
    label(QStringLiteral("Label24"), QStringLiteral("PHRASES"), Widgets::twipsRect(4200, 2280, 7455, 255), client);

    (new Widgets::ListBoxView(hotels.lstHotel, client))->setGeometry(Widgets::twipsRect(120, 2640, 3255, 2370));
    auto *phrases = new Widgets::ListBoxView(hotels.lstHoteltxt, client);
    phrases->setGeometry(Widgets::twipsRect(4200, 2640, 6855, 2370));
    connect(phrases, &Widgets::ListBoxView::doubleClickedRow, &hotels, &HotelPhrases::editPhrase);

    const auto wire = [&](const QString &objectName, const QIcon &icon, const QRect &geometry, auto slot) {
        auto *button = pictureButton(objectName, icon, geometry, client);
        connect(button, &QPushButton::clicked, this, slot);
    };
    wire(QStringLiteral("Command39"), Widgets::Icons::plus(), Widgets::twipsRect(3480, 2640, 495, 495), [&publisher] { publisher.addHotel(); });
    wire(QStringLiteral("Command38"), Widgets::Icons::minus(), Widgets::twipsRect(3480, 3240, 495, 495), [&publisher] { publisher.removeSelected(); });
    wire(QStringLiteral("Command40"), Widgets::Icons::plus(), Widgets::twipsRect(11160, 2640, 495, 495), [&hotels] { hotels.addPhrase(); });
    wire(QStringLiteral("Command41"), Widgets::Icons::minus(), Widgets::twipsRect(11160, 3240, 495, 495), [&hotels] { hotels.deletePhrase(); });
    wire(QStringLiteral("Command43"), Widgets::Icons::erase(), Widgets::twipsRect(11160, 3840, 495, 495), [&hotels] { hotels.clearPhrases(); });
    wire(QStringLiteral("Command42"), Widgets::Icons::diskette(), Widgets::twipsRect(11160, 4440, 495, 495), [&hotels] { hotels.savePhrases(); });
    wire(QStringLiteral("Command60"), Widgets::Icons::folderOne(), Widgets::twipsRect(10200, 5160, 1095, 1215), [&publisher] { publisher.publishSelected(); });
    wire(QStringLiteral("Command59"), Widgets::Icons::folderArrow(), Widgets::twipsRect(10200, 6480, 1095, 1095), [&publisher] { publisher.publishAll(); });
    explain(client);
}

} // namespace Hotels
