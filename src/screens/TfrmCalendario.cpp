#include "screens/TfrmCalendario.h"

#include "core/DateText.h"
#include "screens/ArchiveDefinition.h"
#include "ui/Icons.h"
#include "ui/Regional.h"
#include "ui/Services.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDate>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace cal {
std::span<const DateTarget> dateTargets() {
    static const std::vector<DateTarget> targets = [] {
        std::vector<DateTarget> all;
        for (const ArchiveModule* m : archiveModules()) {
            const ArchiveDefinition& def = *m->archive;
            for (const FieldGroup& group : def.groups)
                for (const FieldRow& row : group.rows)
                    if (row.control == Control::PickedDate && row.dateKeyword)
                        all.push_back({row.dateKeyword, def.objectName,
                                       def.layout->fields[std::size_t(row.field)].name.data()});
            all.insert(all.end(), m->dateTargets.begin(), m->dateTargets.end());
        }
        return all;
    }();
    return targets;
}

std::optional<DateTarget> dateTarget(const QString& keyword) {
    for (const DateTarget& t : dateTargets())
        if (keyword == QLatin1String(t.keyword)) return t;
    return std::nullopt;
}

QLineEdit* dateTargetField(const QString& keyword) {
    const auto target = dateTarget(keyword);
    if (!target) return nullptr;
    const QString screenName = QLatin1String(target->screen);
    const QString fieldName = QLatin1String(target->field);
    QLineEdit* found = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() != screenName) continue;
        auto* field = window->findChild<QLineEdit*>(fieldName);
        if (!field) continue;
        if (window->isVisible()) return field;  // the screen the user is working on
        if (!found) found = field;
    }
    return found;
}

TfrmCalendario::TfrmCalendario(QWidget* parent) : QDialog(parent) {
    applyRegionalSettings();
    setObjectName(QStringLiteral("TfrmCalendario"));
    setWindowTitle(QStringLiteral(" Importazione data"));
    setModal(true);

    lblMemory_ = new QLabel(this);
    lblMemory_->setObjectName(QStringLiteral("lblMemory"));
    lblMemory_->hide();

    auto* prompt = new QLabel(QStringLiteral("Importare una data:"), this);
    calAppuntamenti_ = new QCalendarWidget(this);
    calAppuntamenti_->setObjectName(QStringLiteral("calAppuntamenti"));
    calAppuntamenti_->setSelectedDate(QDate::currentDate());
    setCalendarPictures(calAppuntamenti_);
    calAppuntamenti_->setAccessibleName(prompt->text());
    prompt->setBuddy(calAppuntamenti_);

    auto* importa = new QPushButton(QStringLiteral("Importa"), this);
    importa->setObjectName(QStringLiteral("btnImportaData"));
    importa->setDefault(true);
    auto* annulla = new QPushButton(QStringLiteral("Annulla"), this);
    annulla->setObjectName(QStringLiteral("btnAnnulla"));
    annulla->setAutoDefault(false);
    connect(importa, &QPushButton::clicked, this, &TfrmCalendario::importDate);
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(importa);
    buttons->addWidget(annulla);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(calAppuntamenti_);
    layout->addLayout(buttons);
    calAppuntamenti_->setFocus();
}

void TfrmCalendario::setKeyword(const QString& keyword) { lblMemory_->setText(keyword); }

QString TfrmCalendario::keyword() const { return lblMemory_->text(); }

void TfrmCalendario::importDate() {
    if (!dateTarget(keyword())) return;
    // A known keyword whose screen is not open has nowhere to write: the picker closes all the same.
    if (QLineEdit* field = target_ ? target_.data() : dateTargetField(keyword()))
        field->setText(dateText(calAppuntamenti_->selectedDate()));
    accept();
}

void openDatePicker(const QString& keyword, QLineEdit* target) {
    TfrmCalendario screen(QApplication::activeWindow());
    screen.setKeyword(keyword);
    screen.setTarget(target);
    screens().exec(&screen);
}

}  // namespace cal
