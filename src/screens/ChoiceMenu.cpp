#include "screens/ChoiceMenu.h"
#include "ui/Icons.h"

#include "screens/TfrmGuida.h"
#include "ui/Regional.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace cal {
namespace {
const QString kStart = QStringLiteral("avvio");
}

ChoiceMenu::ChoiceMenu(const ChoiceMenuTexts& texts, QWidget* parent) : QMainWindow(parent), texts_(texts) {
    setObjectName(QString::fromLatin1(texts.objectName));
    applyRegionalSettings();
    setWindowTitle(QString::fromUtf8(texts.caption));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addStretch();
    auto* instruction = new QLabel(QString::fromUtf8(texts.instruction), central);
    instruction->setObjectName(QStringLiteral("lblIstruzioni"));
    instruction->setAlignment(Qt::AlignCenter);
    instruction->setWordWrap(true);
    QFont big = instruction->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    instruction->setFont(big);
    layout->addWidget(instruction);
    layout->addSpacing(24);
    for (const MenuChoice& c : texts.choices) {
        auto* b = new QPushButton(QString::fromUtf8(c.caption), central);
        b->setObjectName(QString::fromLatin1(c.objectName));
        b->setMinimumSize(360, 56);
        b->setFont(big);
        b->setAutoDefault(true);
        auto* row = new QHBoxLayout;
        row->addStretch();
        row->addWidget(b);
        row->addStretch();
        layout->addLayout(row);
        connect(b, &QPushButton::clicked, this, [this, memory = QString::fromLatin1(c.memory)] {
            lblMemory_->setText(memory);
            close();
        });
    }
    layout->addStretch();
    auto* guida = new QToolButton(central);
    guida->setObjectName(QStringLiteral("imgGuida"));
    guida->setIcon(programIcon("help-contents"));
    guida->setText(QStringLiteral("Guida"));
    guida->setToolTip(QStringLiteral("Visualizza la guida in linea. (F1)"));
    guida->setShortcut(QKeySequence(Qt::Key_F1));
    guida->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    auto* esci = new QToolButton(central);
    esci->setObjectName(QStringLiteral("imgEsci"));
    esci->setIcon(programIcon("application-exit"));
    esci->setText(QStringLiteral("Esci"));
    esci->setToolTip(QStringLiteral("Torna alla schermata di avvio. (Esc)"));
    esci->setShortcut(QKeySequence(Qt::Key_Escape));
    esci->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    lblMemory_ = new QLabel(kStart, central);
    lblMemory_->setObjectName(QStringLiteral("lblMemory"));
    lblMemory_->hide();
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(guida);
    bottom->addStretch();
    bottom->addWidget(esci);
    layout->addLayout(bottom);
    setCentralWidget(central);
    connect(guida, &QToolButton::clicked, this, [this] { showHelp(QString::fromUtf8(texts_.helpTitle)); });
    connect(esci, &QToolButton::clicked, this, [this] {
        lblMemory_->setText(kStart);
        close();
    });
}

QString ChoiceMenu::memory() const { return lblMemory_->text(); }

void ChoiceMenu::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) lblMemory_->setText(kStart);
}

void ChoiceMenu::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (!event->isAccepted()) return;
    QString screen;
    for (const MenuChoice& c : texts_.choices)
        if (lblMemory_->text() == QLatin1String(c.memory)) screen = QString::fromLatin1(c.screen);
    emit routed(screen);
}

}  // namespace cal
