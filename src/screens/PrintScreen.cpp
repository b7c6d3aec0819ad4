#include "screens/PrintScreen.h"

#include "ui/Regional.h"
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace cal {

PrintScreen::PrintScreen(const QString& objectName, const QString& caption, std::function<void()> print,
                         QWidget* parent)
    : QDialog(parent), print_(std::move(print)) {
    setObjectName(objectName);
    applyRegionalSettings();
    setWindowTitle(caption);
    setModal(true);
    setMinimumWidth(360);
    auto* text = new QLabel(QStringLiteral("Stampa la scheda visualizzata."), this);
    auto* stampa = new QPushButton(QStringLiteral("Stampa"), this);
    stampa->setObjectName(QStringLiteral("btnStampa"));
    stampa->setDefault(true);
    auto* annulla = new QPushButton(QStringLiteral("Annulla"), this);
    annulla->setObjectName(QStringLiteral("btnAnnulla"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(stampa);
    buttons->addWidget(annulla);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    connect(stampa, &QPushButton::clicked, this, [this] {
        print_();
        accept();
    });
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace cal
