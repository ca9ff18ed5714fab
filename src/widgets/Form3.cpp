#include "widgets/Form3.h"

#include "common/ProgressWindow.h"
#include "widgets/ControlHelp.h"
#include "widgets/TabOrder.h"
#include "widgets/TextLabel.h"
#include "widgets/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace Widgets {

Form3::Form3(Common::ProgressWindow &state, QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint), state_(state)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("VORLA - Mise à jour"));
    setFixedSize(twipsToPixels(13080), twipsToPixels(4815));
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("#Form3 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                                 "stop:0 #dfe8f2, stop:1 #a9bed6); }"));

    QFont century(QStringLiteral("Century Gothic"));
    auto *notice = new QLabel(QStringLiteral("VEUILLEZ PATIENTER... MISE A JOUR DU SITE EN COURS"), this);
    notice->setObjectName(QStringLiteral("Label5"));
    notice->setFont(century);
    notice->setGeometry(twipsRect(3000, 1920, 7335, 375));

    pbar_ = new QProgressBar(this);
    pbar_->setObjectName(QStringLiteral("pbar"));
    pbar_->setGeometry(twipsRect(3120, 2520, 7095, 255));
    pbar_->setTextVisible(false);

    auto *caption = new TextLabel(state.lblMaj, this);
    caption->setFont(century);
    caption->setGeometry(twipsRect(3120, 3000, 7095, 375));
    // Bytes, speed and time left of a long transfer, between the caption and STOP.
    auto *detail = new TextLabel(state.detail, this);
    detail->setGeometry(twipsRect(3120, 3390, 7095, 375));

    auto *stop = new QPushButton(QStringLiteral("STOP"), this);
    stop->setObjectName(QStringLiteral("Command3"));
    stop->setGeometry(twipsRect(5280, 3840, 2775, 615));
    connect(stop, &QPushButton::clicked, this, &Form3::stopClicked);

    makeHiddenConnectionFrame()->hide();
    connect(&state, &Common::ProgressWindow::barChanged, this, &Form3::showBar);
    showBar();
    orderTabsByPosition(this);
    explainControls(this, {
        {"pbar", "Avancement", "L'avancement de la mise à jour en cours"},
        {"Command3", "STOP", "Arrêter la mise à jour et fermer le programme"},
    });
}

void Form3::showBar()
{
    pbar_->setRange(static_cast<int>(state_.min()), static_cast<int>(std::max(state_.min(), state_.max())));
    pbar_->setValue(static_cast<int>(std::clamp(state_.value(), state_.min(), std::max(state_.min(), state_.max()))));
}

// The connection form the window always carried; nothing reads it, "Cancel" unloads the window.
QWidget *Form3::makeHiddenConnectionFrame()
{
    auto *frame = new QGroupBox(QStringLiteral("Frame1"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(twipsRect(2400, 6720, 3975, 2535));
    const QStringList labels = {"Server: ", "Username: ", "Password: ", "Port: "};
    const QStringList presets = {"ftp.example.com", "Username", "Password", "21"};
    for (int i = 0; i < labels.size(); ++i) {
        auto *label = new QLabel(labels[i], frame);
        label->setGeometry(8, 20 + i * 24, 70, 20);
        auto *field = new QLineEdit(presets[i], frame);
        field->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        field->setGeometry(80, 20 + i * 24, 170, 20);
        if (i == 2)
            field->setEchoMode(QLineEdit::Password);
    }
    auto *connectButton = new QPushButton(QStringLiteral("Connect"), frame);
    connectButton->setObjectName(QStringLiteral("Command1"));
    connectButton->setGeometry(8, 122, 80, 24);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), frame);
    cancel->setObjectName(QStringLiteral("Command2"));
    cancel->setGeometry(96, 122, 80, 24);
    connect(cancel, &QPushButton::clicked, this, &QWidget::hide);
    return frame;
}

} // namespace Widgets
