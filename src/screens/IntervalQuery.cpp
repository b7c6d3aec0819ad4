#include "screens/IntervalQuery.h"

#include "core/DateText.h"
#include "core/Text.h"
#include "screens/TfrmGuida.h"
#include "ui/Services.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace cal {
namespace {

const QStringList kMonths{"Gennaio", "Febbraio", "Marzo",     "Aprile",  "Maggio",   "Giugno",
                          "Luglio",  "Agosto",   "Settembre", "Ottobre", "Novembre", "Dicembre"};

// The drop-downs of the interval take no typing: Backspace and Delete empty them, the keys that
// move through a list or open it act as usual, any character is discarded.
class ListKeys : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* combo = static_cast<QComboBox*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete) {
            combo->setCurrentIndex(-1);
            return true;
        }
        return !key->text().isEmpty() && key->text()[0].isPrint();
    }
};

QComboBox* dropDown(const QString& name, const QStringList& items, QWidget* parent) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    c->addItems(items);
    c->setCurrentIndex(-1);
    c->installEventFilter(new ListKeys(c));
    return c;
}

// The box's date as "dd/mm/yyyy" (it may not exist).
QString dateText(const DateBox& box) {
    const int month = int(kMonths.indexOf(box.month->currentText())) + 1;
    return trimmed(box.day->currentText()) + u'/' + QStringLiteral("%1").arg(month, 2, 10, QChar(u'0')) + u'/' +
           trimmed(box.year->text());
}

}  // namespace

QLabel* namedLabel(const char* name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setWordWrap(true);
    return l;
}

QPushButton* namedButton(const char* name, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QToolButton* summaryHelpButton(const QString& topic, QWidget* parent) {
    auto* guida = new QToolButton(parent);
    guida->setObjectName(QStringLiteral("imgGuida"));
    guida->setIcon(parent->style()->standardIcon(QStyle::SP_DialogHelpButton));
    guida->setText(QStringLiteral("Guida"));
    guida->setToolTip(QStringLiteral("Visualizza la guida in linea. (F1)"));
    guida->setAccessibleName(QStringLiteral("Guida"));
    guida->setShortcut(QKeySequence(Qt::Key_F1));
    guida->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QObject::connect(guida, &QToolButton::clicked, guida, [topic] { showHelp(topic); });
    return guida;
}

DateBox makeDateBox(const QString& title, const QString& suffix, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QStringLiteral("grpData") + suffix);
    QStringList days;
    for (int d = 1; d <= 31; ++d) days << QStringLiteral("%1").arg(d, 2, 10, QChar(u'0'));
    DateBox out{dropDown(QStringLiteral("txtGiorno") + suffix, days, box),
                dropDown(QStringLiteral("txtMese") + suffix, kMonths, box),
                namedLabel(qPrintable(QStringLiteral("lblAnno") + suffix), QStringLiteral("ANNO"), box),
                namedLabel(qPrintable(QStringLiteral("lblData") + suffix), {}, box), box};
    out.date->hide();
    auto* grid = new QGridLayout(box);
    auto* dayLabel = new QLabel(QStringLiteral("Giorno:"), box);
    dayLabel->setBuddy(out.day);
    out.day->setAccessibleName(title.trimmed() + QStringLiteral(" giorno"));
    auto* monthLabel = new QLabel(QStringLiteral("Mese:"), box);
    monthLabel->setBuddy(out.month);
    out.month->setAccessibleName(title.trimmed() + QStringLiteral(" mese"));
    grid->addWidget(dayLabel, 0, 0);
    grid->addWidget(out.day, 1, 0);
    grid->addWidget(monthLabel, 0, 1);
    grid->addWidget(out.month, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Anno:"), box), 0, 2);
    grid->addWidget(out.year, 1, 2);
    return out;
}

void clearDateBoxes(const DateBox& start, const DateBox& end) {
    for (QComboBox* c : {start.day, start.month, end.day, end.month}) c->setCurrentIndex(-1);
}

std::optional<Interval> checkYearInterval(QLineEdit* year, const DateBox& start, const DateBox& end) {
    start.date->clear();
    end.date->clear();
    auto refuse = [](Dialogs::Kind kind, const QString& text, QWidget* focus) -> std::optional<Interval> {
        dialogs().message(kind, text);
        if (focus) focus->setFocus(Qt::OtherFocusReason);
        return std::nullopt;
    };
    if (year->text().size() != 4)
        return refuse(Dialogs::Kind::Warning, QStringLiteral("Attenzione: indicare l'anno solare utilizzando quattro cifre."),
                      year);
    const struct {
        QComboBox* box;
        const char* what;
    } required[] = {{start.day, "il giorno di inizio"}, {start.month, "il mese di inizio"},
                    {end.day, "il giorno di fine"},      {end.month, "il mese di fine"}};
    for (const auto& r : required)
        if (trimmed(r.box->currentText()).isEmpty())
            return refuse(Dialogs::Kind::Warning,
                          QStringLiteral("Attenzione: indicare %1 intervallo selezionandolo dall'elenco a cascata.")
                              .arg(QString::fromUtf8(r.what)),
                          r.box);
    const QString sentence = QStringLiteral("\n\r\n\r");
    const QString valid = QStringLiteral("Per poter visualizzare il riepilogo è necessario indicare una data valida.");
    start.date->setText(dateText(start));
    const auto from = parseDateText(start.date->text());
    if (!from)
        return refuse(Dialogs::Kind::Plain,
                      QStringLiteral("Attenzione: la data %1 di inizio intervallo non esiste.").arg(start.date->text()) +
                          sentence + valid,
                      start.day);
    end.date->setText(dateText(end));
    const auto to = parseDateText(end.date->text());
    if (!to)
        return refuse(Dialogs::Kind::Plain,
                      QStringLiteral("Attenzione: la data %1 di fine intervallo non esiste.").arg(end.date->text()) +
                          sentence + valid,
                      end.day);
    if (*from > *to)
        return refuse(Dialogs::Kind::Plain,
                      QStringLiteral("Attenzione: la data di fine intervallo (%1) non può essere anteriore a quella di "
                                     "inizio intervallo (%2).")
                              .arg(end.date->text(), start.date->text()) +
                          sentence +
                          QStringLiteral("Per poter visualizzare il riepilogo è necessario indicare un intervallo di "
                                         "tempo valido."),
                      nullptr);
    return Interval{*from, *to};
}

}  // namespace cal

#include "IntervalQuery.moc"
