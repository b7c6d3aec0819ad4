#include "screens/PrintScreen.h"

#include "ui/Regional.h"
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace cal {

PrintScreen::PrintScreen(const QString& objectName, const QString& caption, std::function<bool()> print,
                         QWidget* parent, const QString& text, const QString& command)
    : QDialog(parent), print_(std::move(print)) {
    setObjectName(objectName);
    applyRegionalSettings();
    setWindowTitle(caption);
    setModal(true);
    setMinimumWidth(360);
    auto* label = new QLabel(text, this);
    auto* stampa = new QPushButton(command, this);
    stampa->setObjectName(QStringLiteral("btnStampa"));
    stampa->setDefault(true);
    auto* annulla = new QPushButton(QStringLiteral("Annulla"), this);
    annulla->setObjectName(QStringLiteral("btnAnnulla"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(stampa);
    buttons->addWidget(annulla);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    connect(stampa, &QPushButton::clicked, this, [this] {
        if (print_()) accept();
    });
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
}

}  // namespace cal
