#include "screens/TfrmCartella.h"

#include "ui/Regional.h"
#include "core/ProgramFolder.h"
#include "core/Text.h"
#include "ui/Services.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace cal {

std::optional<QString> clientFolder(qint64 position) {
    if (position < 1) return std::nullopt;
    return programFolder() + QStringLiteral("Cliente_") + QString::number(position);
}

TfrmCartella::TfrmCartella(QWidget* parent) : QDialog(parent) {
    applyRegionalSettings();
    setObjectName(QStringLiteral("TfrmCartella"));
    setWindowTitle(QStringLiteral(" Gestione cartella abbinata alla scheda corrente"));
    setModal(true);

    lblMemory_ = new QLabel(this);
    lblMemory_->setObjectName(QStringLiteral("lblMemory"));
    lblMemory_->hide();

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_DirOpenIcon).pixmap(48, 48));
    auto* apri = new QPushButton(QStringLiteral("Apri cartella"), this);
    apri->setObjectName(QStringLiteral("btnApriCartella"));
    auto* chiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    chiudi->setObjectName(QStringLiteral("btnChiudi"));
    chiudi->setAutoDefault(false);
    connect(apri, &QPushButton::clicked, this, &TfrmCartella::openFolder);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(icon);
    buttons->addStretch();
    buttons->addWidget(apri);
    buttons->addWidget(chiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    setMinimumWidth(420);
    apri->setFocus();
}

void TfrmCartella::setPosition(qint64 position) { lblMemory_->setText(QString::number(position)); }

QString TfrmCartella::memory() const { return lblMemory_->text(); }

void TfrmCartella::openFolder() {
    // The folder is built from the position only: a memory that is not a position opens nothing.
    bool number = false;
    const qint64 position = trimmed(memory()).toLongLong(&number);
    const auto folder = number ? clientFolder(position) : std::nullopt;
    if (folder) {
        QDir().mkpath(*folder);  // a failure is silent, as is opening a missing folder
        shell().open(*folder);
    }
    accept();
}

void openClientFolderScreen(qint64 position) {
    if (position < 1) return;
    TfrmCartella screen(QApplication::activeWindow());
    screen.setPosition(position);
    screens().exec(&screen);
}

}  // namespace cal
