#include "sales/SalesWindow.h"

#include "widgets/ControlHelp.h"
#include "widgets/DropArea.h"
#include "common/OperatorUi.h"
#include "widgets/Icons.h"
#include "widgets/ListBoxView.h"
#include "widgets/TabOrder.h"
#include "widgets/Twips.h"
#include "sales/PreviewImage.h"
#include "sales/SalesPanel.h"
#include "sales/SalesPublisher.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace Sales {

namespace {

constexpr int kPanelWidth = 17175;
constexpr int kPanelHeight = 9615;
constexpr int kRowHeight = 2040;

QLabel *label(const QString &text, const QRect &geometry, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

QGroupBox *frame(const QString &caption, const QRect &geometry, QWidget *parent)
{
    auto *box = new QGroupBox(caption, parent);
    box->setGeometry(geometry);
    return box;
}

// A picture button without caption, its label below it.
QPushButton *publishButton(const char *name, const QString &caption, const QRect &geometry, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setIcon(Widgets::Icons::folderArrow());
    button->setIconSize(geometry.size() / 2);
    if (!caption.isEmpty())
        label(caption, QRect(geometry.left(), geometry.bottom() + 2, geometry.width(), Widgets::twipsToPixels(255)), parent)
            ->setAlignment(Qt::AlignCenter);
    return button;
}

// The operator's typing and the panel's changes both end up in the one value.
void bind(Common::TextValue &value, QLineEdit *edit)
{
    edit->setObjectName(value.objectName());
    edit->setText(value.text());
    QObject::connect(edit, &QLineEdit::textEdited, &value, &Common::TextValue::setText);
    QObject::connect(&value, &Common::TextValue::changed, edit, [edit](const QString &text) {
        if (edit->text() != text)
            edit->setText(text);
    });
}

} // namespace

SalesWindow::SalesWindow(SalesPanel &panel, SalesPublisher &publisher, QWidget *parent)
    : QWidget(parent, Qt::Window), panel_(panel), publisher_(publisher)
{
    setObjectName(QStringLiteral("SalesWindow"));
    setWindowTitle(QStringLiteral("Ventes - ") + Common::OperatorUi::kDialogTitle);

    auto *picture1 = new QWidget(this);
    picture1->setObjectName(QStringLiteral("Picture1"));
    picture1->setGeometry(Widgets::twipsRect(0, 0, kPanelWidth, kPanelHeight));
    buildImages(picture1);
    buildTexts(picture1);
    buildPublishing(picture1);
    setFixedSize(picture1->size());
    Widgets::orderTabsByPosition(this);
    explain();
}

void SalesWindow::explain()
{
    Widgets::explainControls(this, Widgets::controlHelp(QStringLiteral(":/SalesWindow.controls.tsv")));
}

void SalesWindow::buildImages(QWidget *picture1)
{
    auto *images = frame(QStringLiteral(" Images "), Widgets::twipsRect(120, 60, 13200, 6600), picture1);

    struct Row {
        const char *drop;
        const char *caption;
        Common::ImageValue &preview;
        void (SalesPanel::*onDrop)(const QStringList &);
    };
    const Row rows[] = {
        {"Picture2", "Index", panel_.imgThb, &SalesPanel::dropIndexImage},
        {"Picture3", "Miniatures", panel_.imgThbv, &SalesPanel::dropThumbnails},
        {"Picture4", "Grandes", panel_.imgThbB, &SalesPanel::dropLargeImages},
    };
    int top = 300;
    for (const Row &row : rows) {
        auto *drop = new Widgets::DropArea(QString::fromLatin1(row.drop), images);
        drop->setGeometry(Widgets::twipsRect(120, top, 2400, kRowHeight - 300));
        connect(drop, &Widgets::DropArea::filesDropped, &panel_,
                [panel = &panel_, onDrop = row.onDrop](const QStringList &files) { (panel->*onDrop)(files); });
        label(QString::fromLatin1(row.caption), Widgets::twipsRect(120, top + kRowHeight - 285, 2400, 255), images)
            ->setAlignment(Qt::AlignCenter);
        auto *preview = new PreviewImage(row.preview, images);
        preview->setGeometry(Widgets::twipsRect(2640, top, 3600, kRowHeight));
        preview->setFrameShape(QFrame::Panel);
        top += kRowHeight + 60;
    }

    auto *index = new QFrame(images);
    index->setGeometry(Widgets::twipsRect(6360, 300, 6720, kRowHeight));
    index->setFrameShape(QFrame::StyledPanel);
    label(QStringLiteral("Référence du bien: "), Widgets::twipsRect(120, 120, 2040, 315), index);
    auto *ref = new QLineEdit(index);
    ref->setGeometry(Widgets::twipsRect(2160, 120, 2400, 315));
    bind(panel_.txtRef, ref);
    label(QStringLiteral("Chemin de la vignette:"), Widgets::twipsRect(120, 600, 6480, 255), index);
    auto *path = label(panel_.lblThb.text(), Widgets::twipsRect(120, 900, 6480, 1020), index);
    path->setObjectName(panel_.lblThb.objectName());
    path->setWordWrap(true);
    path->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connect(&panel_.lblThb, &Common::TextValue::changed, path, &QLabel::setText);

    auto *thumbnails = new Widgets::ListBoxView(panel_.lstThbVente, images);
    thumbnails->setGeometry(Widgets::twipsRect(6360, 300 + kRowHeight + 60, 6720, kRowHeight));
    auto *large = new Widgets::ListBoxView(panel_.lstBigVente, images);
    large->setGeometry(Widgets::twipsRect(6360, 300 + 2 * (kRowHeight + 60), 6720, kRowHeight));
}

void SalesWindow::buildTexts(QWidget *picture1)
{
    auto *texts = frame(QStringLiteral(" Textes "), Widgets::twipsRect(120, 6780, 13200, 2715), picture1);
    textBox(panel_.txtCourt, QStringLiteral("Court"), Widgets::twipsRect(120, 300, 5880, 1980), texts);
    textBox(panel_.txtDesc, QStringLiteral("Descriptif"), Widgets::twipsRect(6600, 300, 5880, 1980), texts);

    auto *clearShort = new QPushButton(QStringLiteral("X"), texts);
    clearShort->setObjectName(QStringLiteral("Command21"));
    clearShort->setGeometry(Widgets::twipsRect(6060, 300, 375, 375));
    connect(clearShort, &QPushButton::clicked, &panel_, &SalesPanel::clearShortText);
    auto *clearLong = new QPushButton(QStringLiteral("X"), texts);
    clearLong->setObjectName(QStringLiteral("Command22"));
    clearLong->setGeometry(Widgets::twipsRect(12540, 300, 375, 375));
    connect(clearLong, &QPushButton::clicked, &panel_, &SalesPanel::clearLongText);
}

void SalesWindow::textBox(Common::TextValue &text, const QString &caption, const QRect &geometry,
                                     QWidget *frame)
{
    auto *edit = new QPlainTextEdit(frame);
    edit->setObjectName(text.objectName());
    edit->setGeometry(geometry);
    edit->setPlainText(text.text());
    connect(edit, &QPlainTextEdit::textChanged, &text, [edit, &text] { text.setText(edit->toPlainText()); });
    connect(&text, &Common::TextValue::changed, edit, [edit](const QString &value) {
        if (edit->toPlainText() != value)
            edit->setPlainText(value);
    });
    label(caption, QRect(geometry.left(), geometry.bottom() + 2, geometry.width(), Widgets::twipsToPixels(255)), frame);
}

void SalesWindow::buildPublishing(QWidget *picture1)
{
    auto *images = frame(QStringLiteral(" Images "), Widgets::twipsRect(13440, 60, 3615, 4380), picture1);
    auto *texts = frame(QStringLiteral(" Textes "), Widgets::twipsRect(13440, 4560, 3615, 3180), picture1);
    struct Button {
        const char *name;
        const char *caption;
        QWidget *parent;
        QRect geometry;
        void (SalesPublisher::*onClick)();
    };
    const Button buttons[] = {
        {"Command13", "Index", images, Widgets::twipsRect(240, 300, 1455, 1455), &SalesPublisher::publishIndexImage},
        {"Command14", "Miniatures", images, Widgets::twipsRect(1920, 300, 1455, 1455), &SalesPublisher::publishThumbnails},
        {"Command15", "Grandes", images, Widgets::twipsRect(240, 2280, 1455, 1455), &SalesPublisher::publishLargeImages},
        {"Command16", "TOUT", images, Widgets::twipsRect(1920, 2280, 1455, 1455), &SalesPublisher::publishAllImages},
        {"Command18", "Court", texts, Widgets::twipsRect(240, 300, 1455, 1095), &SalesPublisher::publishShortText},
        {"Command19", "Descriptif", texts, Widgets::twipsRect(1920, 300, 1455, 1095), &SalesPublisher::publishLongText},
        {"Command17", "TOUT", texts, Widgets::twipsRect(1080, 1740, 1455, 1095), &SalesPublisher::publishAllTexts},
        {"Command23", "", picture1, Widgets::twipsRect(13440, 7920, 3615, 1575), &SalesPublisher::publishEverything},
    };
    for (const Button &b : buttons)
        connect(publishButton(b.name, QString::fromLatin1(b.caption), b.geometry, b.parent),
                &QPushButton::clicked, &publisher_, b.onClick);
}

} // namespace Sales
