#include "clients/TfrmCartella.h"

#include "core/ProgramFolder.h"
#include "core/Text.h"
#include "ui/Icons.h"
#include "ui/Regional.h"
#include "ui/Services.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace cal {

std::optional<QString> clientFolder(qint64 position) {
    if (position < 1) return std::nullopt;
    return programFolder() + kClientFolderPrefix + QString::number(position);
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
    icon->setPixmap(programIcon("document-open-folder").pixmap(48, 48));
    auto* apri = new QPushButton(QStringLiteral("Apri cartella"), this);
    apri->setObjectName(QStringLiteral("btnApriCartella"));
    auto* chiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    chiudi->setObjectName(QStringLiteral("btnChiudi"));
    chiudi->setAutoDefault(false);
    connect(apri, &QPushButton::clicked, this, &TfrmCartella::openFolder);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);

    // Which folder the buttons work on: its name and where it is.
    lblCartella_ = new QLabel(this);
    lblCartella_->setObjectName(QStringLiteral("lblCartella"));
    lblCartella_->setWordWrap(true);
    lblCartella_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(lblCartella_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(apri);
    buttons->addWidget(chiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setMinimumWidth(420);
    apri->setFocus();
}

void TfrmCartella::setPosition(qint64 position) {
    lblMemory_->setText(QString::number(position));
    const auto folder = clientFolder(position);
    if (!folder) {
        lblCartella_->clear();
        return;
    }
    const QString name = kClientFolderPrefix + QString::number(position);
    lblCartella_->setText(QStringLiteral("Cartella abbinata alla scheda n. %1: <b>%2</b><br>%3%4")
                              .arg(position)
                              .arg(name.toHtmlEscaped(), QDir::toNativeSeparators(*folder).toHtmlEscaped(),
                                   QDir(*folder).exists() ? QString()
                                                          : QStringLiteral("<br>(sarà creata all'apertura)")));
}

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
