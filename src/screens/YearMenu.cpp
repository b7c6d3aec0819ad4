#include "screens/YearMenu.h"

#include "core/ProgramFolder.h"
#include "core/Text.h"
#include "screens/ArchiveScreen.h"
#include "screens/TfrmGuida.h"
#include "ui/Icons.h"
#include "ui/KeyRules.h"
#include "ui/Regional.h"
#include "ui/Services.h"
#include "ui/StatusHints.h"

#include <QCloseEvent>
#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace cal {

YearMenu::YearMenu(const YearMenuTexts& texts, QWidget* parent) : QMainWindow(parent), texts_(texts) {
    setObjectName(QString::fromLatin1(texts.objectName));
    applyRegionalSettings();
    setWindowTitle(QString::fromUtf8(texts.caption));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* heading = new QLabel(QString::fromUtf8(texts.heading), central);
    heading->setStyleSheet(QStringLiteral("font-size: 18pt; font-weight: bold; color: #1d4f91;"));
    auto* info = new QLabel(QString::fromUtf8(texts.info), central);
    info->setWordWrap(true);
    txtAnno_ = makeYearField("txtAnnoPreventivi", central);
    txtAnno_->setMaximumWidth(80);
    auto* label = new QLabel(QStringLiteral("Anno:"), central);
    label->setBuddy(txtAnno_);
    txtAnno_->setAccessibleName(label->text());
    auto* apri = new QPushButton(QStringLiteral("Apri"), central);
    apri->setObjectName(QStringLiteral("btnApriPreventivi"));
    enterMovesTo(txtAnno_, apri);
    lblMemory_ = new QLabel(QStringLiteral("avvio"), central);
    lblMemory_->setObjectName(QStringLiteral("lblMemory"));
    lblMemory_->hide();

    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(txtAnno_);
    row->addWidget(apri);
    row->addStretch();

    QLabel* panInfo = makeStatusLine(central);
    auto* hints = new StatusHints(panInfo);
    auto* commands = new QHBoxLayout;
    auto addTool = [&](const char* name, const char* caption, const char* hint, const char* icon) {
        QToolButton* b = makeCommandButton(central, hints, QString::fromLatin1(name), programIcon(icon),
                                           QString::fromUtf8(caption), QString::fromUtf8(hint));
        commands->addWidget(b);
        return b;
    };
    QToolButton* guida = addTool("imgGuida", "Guida", "Visualizza la guida in linea.", "help-contents");
    QToolButton* esci = addTool("imgEsci", "Esci", "Torna alla schermata principale.", "application-exit");
    commands->addStretch();

    layout->addWidget(heading);
    layout->addWidget(info);
    layout->addSpacing(16);
    layout->addLayout(row);
    if (texts_.otherScreen) {
        auto* other = new QPushButton(QString::fromUtf8(texts_.otherCaption), central);
        other->setObjectName(QString::fromLatin1(texts_.otherButton));
        layout->addWidget(other, 0, Qt::AlignLeft);
        connect(other, &QPushButton::clicked, this, [this] {
            lblMemory_->setText(QString::fromLatin1(texts_.otherKeyword));
            close();
        });
    }
    layout->addStretch();
    layout->addLayout(commands);
    layout->addWidget(panInfo);
    setCentralWidget(central);

    connect(apri, &QPushButton::clicked, this, &YearMenu::open);
    connect(guida, &QToolButton::clicked, this, [this] { showHelp(QString::fromUtf8(texts_.helpTitle)); });
    connect(esci, &QToolButton::clicked, this, &YearMenu::close);
}

QString YearMenu::keyword() const { return lblMemory_->text(); }

QLineEdit* makeYearField(const char* objectName, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(objectName));
    field->setMaxLength(4);
    acceptDigitsOnly(field);
    return field;
}

std::optional<QString> typedYear(QLineEdit* field) {
    if (field->text().size() != 4) {
        warning(QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
        field->setFocus(Qt::OtherFocusReason);
        return std::nullopt;
    }
    return trimmed(field->text());
}

void YearMenu::open() {
    const std::optional<QString> year = typedYear(txtAnno_);
    if (!year) return;
    if (ArchiveScreen* archive = archive_ ? archive_() : nullptr) {
        archive->setFilePath(programFile(*year + QString::fromLatin1(texts_.extension)));
        archive->setWindowTitle(QString::fromUtf8(texts_.archiveTitle) + *year);
    }
    lblMemory_->setText(QString::fromLatin1(texts_.keyword));
    close();
}

void YearMenu::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    txtAnno_->setText(QString::number(QDate::currentDate().year()).rightJustified(4, u'0'));
    lblMemory_->setText(QStringLiteral("avvio"));
    txtAnno_->setFocus(Qt::OtherFocusReason);
}

void YearMenu::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    emit routed(lblMemory_->text());
}

}  // namespace cal
