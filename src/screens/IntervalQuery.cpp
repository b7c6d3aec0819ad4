#include "screens/IntervalQuery.h"
#include "ui/Icons.h"

#include "core/DateText.h"
#include "report/Printouts.h"
#include "report/Report.h"
#include "screens/SearchScreen.h"
#include "ui/KeyRules.h"
#include "ui/Regional.h"
#include "core/Text.h"
#include "screens/Catalog.h"
#include "screens/TfrmGuida.h"
#include "screens/YearMenu.h"
#include "ui/Services.h"
#include "ui/StatusHints.h"
#include "ui/Windows.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QRegularExpressionValidator>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListView>
#include <QShowEvent>
#include <QVBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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
    guida->setIcon(programIcon("help-contents"));
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

SummaryResult::SummaryResult(const SummaryResultTexts& texts, ListFinder& finder, int filtersInUse,
                             const QString& filter, QDate from, QDate to,
                             std::function<std::optional<AmountSummary>()> compute, QWidget* parent)
    : QDialog(parent), texts_(texts), finder_(finder), filter_(filter), from_(from), to_(to),
      compute_(std::move(compute)) {
    setObjectName(QString::fromLatin1(texts.objectName));
    applyRegionalSettings();
    setWindowTitle(texts.caption);
    setModal(true);
    fitWindow(this, QSize(1300, 640));

    auto* grid = new QGridLayout;
    auto pair = [&](int row, const char* infoName, const QString& info, const char* valueName) {
        QLabel* caption = namedLabel(infoName, info, this);
        caption->setWordWrap(false);
        grid->addWidget(caption, row, 0);
        QLabel* value = namedLabel(valueName, {}, this);
        value->setStyleSheet(QStringLiteral("font-weight: bold;"));
        grid->addWidget(value, row, 1);
        return value;
    };
    titTipologia_ = pair(0, "lblTipologia", texts.filterCaption, "titTipologia");
    lblIntervallo_ = pair(1, "infIntervallo", QStringLiteral("Intervallo selezionato:"), "lblIntervallo");
    lblTotCosti_ = pair(2, "infTotCosti", texts.totalCaption, "lblTotCosti");
    lblTotCosti_->setText(QStringLiteral("0,00"));
    grid->setColumnStretch(1, 1);
    model_ = new ListModel(this);
    lstRecords_ = new QListView(this);
    lstRecords_->setObjectName(QStringLiteral("lstRecords"));
    lstRecords_->setAccessibleName(QStringLiteral("Voci del riepilogo"));
    lstRecords_->setModel(model_);
    lstRecords_->setFont(listFont());
    lstRecords_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstRecords_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords_->setUniformItemSizes(true);
    QLabel* lblConta = namedLabel("lblConta", QString::number(filtersInUse), this);
    lblConta->hide();

    txtTrova_ = new QLineEdit(this);
    txtTrova_->setObjectName(QStringLiteral("txtTrova"));
    txtTrova_->setAccessibleName(QStringLiteral("Testo da trovare"));
    auto* trova = namedButton("btnTrova", QStringLiteral("Trova"), this);
    auto* stampa = namedButton("btnStampa", QStringLiteral("Stampa riepilogo"), this);
    auto* esci = namedButton("btnEsci", QStringLiteral("Esci"), this);
    QToolButton* guida = summaryHelpButton(texts.helpTopic, this);
    enterMovesTo(txtTrova_, trova);

    auto* findRow = new QHBoxLayout;
    findRow->addWidget(txtTrova_, 1);
    findRow->addWidget(trova);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(guida);
    buttons->addStretch();
    buttons->addWidget(stampa);
    buttons->addWidget(esci);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(lstRecords_, 1);
    layout->addWidget(namedLabel("lblRigo01", texts.findInstruction, this));
    layout->addWidget(namedLabel("lblRigo02",
                                 QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa chiave di "
                                                "ricerca, fare di nuovo clic su Trova."),
                                 this));
    layout->addLayout(findRow);
    layout->addLayout(buttons);

    connect(trova, &QPushButton::clicked, this, &SummaryResult::findInList);
    connect(stampa, &QPushButton::clicked, this, [this] { printSummary(texts_.printTitle(filter_), texts_.printFooter); });
    connect(esci, &QPushButton::clicked, this, &SummaryResult::reject);
}

void SummaryResult::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) build();
}

void SummaryResult::build() {
    titTipologia_->setText(trimmed(filter_).isEmpty() ? QStringLiteral("- - -") : trimmed(filter_));
    model_->setList(nullptr);
    list_ = {};  // the last list is let go before the next is made
    std::optional<AmountSummary> summary = compute_();
    lblIntervallo_->setText(QStringLiteral("Dal   %1   al   %2").arg(dateText(from_), dateText(to_)));
    if (summary) {
        list_ = std::move(summary->list);
        lblTotCosti_->setText(summary->total);
    }
    model_->setList(&list_);
    if (!list_.empty()) lstRecords_->setCurrentIndex(model_->index(0));
    txtTrova_->setFocus(Qt::OtherFocusReason);
    if (!summary)
        plainMessage(QStringLiteral("Attenzione: il file di archivio non risulta accessibile."));
    else if (summary->unreadable > 0)
        // Records this program did not write may hold a date or amount it cannot read: they are
        // left out of the list and of the total, and the user is told how many.
        plainMessage(summary->unreadable == 1 ? texts_.unreadableOne : texts_.unreadableMany.arg(summary->unreadable));
}

QStringList SummaryResult::lines() const { return list_.lines(); }

void SummaryResult::findInList() {
    const QModelIndex current = lstRecords_->currentIndex();
    const auto result = finder_.find(list_, current.isValid() ? current.row() : -1, txtTrova_->text());
    if (result.outcome == ListFinder::Outcome::EmptyList) {
        plainMessage(QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        return;
    }
    lstRecords_->setCurrentIndex(model_->index(result.selected));
    lstRecords_->scrollTo(lstRecords_->currentIndex());
}

void SummaryResult::printSummary(const QString& title, const QString& footer) {
    if (list_.empty()) {
        warning(QStringLiteral("Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce."));
        return;
    }
    if (!dialogs().question(QStringLiteral("Si vuole stampare il presente riepilogo?"))) return;
    QStringList body = lines();
    body << QStringLiteral("- - - - - - - - - - - - - - - -")
         << QStringLiteral("INTERVALLO SELEZIONATO:    ") + trimmed(lblIntervallo_->text())
         << texts_.totalPrinted + trimmed(lblTotCosti_->text());
    Report report = listingReport(title, body);
    if (!footer.isEmpty()) report.setText(QStringLiteral("txtPagina"), footer);
    printing().print(report);
}

void SummaryResult::done(int result) {
    model_->setList(nullptr);
    list_ = {};
    QDialog::done(result);
}

// ---- the query screen of a summary ----

SummaryQuery::SummaryQuery(const SummaryQueryTexts& texts, QWidget* parent) : QMainWindow(parent), texts_(texts) {
    setObjectName(QString::fromLatin1(texts.objectName));
    applyRegionalSettings();
    setWindowTitle(texts.caption);
    auto* central = new QWidget(this);

    txtAnno_ = makeYearField("txtAnno", central);
    txtAnno_->setMaximumWidth(80);
    auto* form = new QFormLayout;
    auto addRow = [&](const QString& text, QLineEdit* field, QWidget* beside = nullptr) {
        auto* l = new QLabel(text, central);
        l->setBuddy(field);
        field->setAccessibleName(text);
        if (!beside) return form->addRow(l, field);
        auto* row = new QHBoxLayout;
        row->addWidget(field, 1);
        row->addWidget(beside);
        form->addRow(l, row);
    };
    addRow(QStringLiteral("Anno:"), txtAnno_);
    for (int i = 0; i < 2; ++i) {
        const SummaryFilter& f = texts.filters[i];
        QLineEdit* field = filters_[i] = new QLineEdit(central);
        field->setObjectName(QString::fromLatin1(f.objectName));
        field->setMaxLength(f.maxLength);
        if (f.typing == SummaryFilter::Typing::UpperCase) upperCaseWhileTyping(field, true);
        if (f.typing == SummaryFilter::Typing::LettersAndDigits)
            field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[A-Za-z0-9]*")), field));
        QPushButton* import = nullptr;
        if (f.importButton) {
            import = namedButton(f.importButton, QStringLiteral("Importa"), central);
            import->setAccessibleName(QString::fromUtf8(f.importName));
            connect(import, &QPushButton::clicked, this,
                    [this, &f] { openSearch(f.importSearch, QString::fromLatin1(f.importKeyword), this); });
        }
        addRow(QString::fromUtf8(f.label), field, import);
    }

    start_ = makeDateBox(QStringLiteral(" Data inizio intervallo: "), QStringLiteral("Inizio"), central);
    end_ = makeDateBox(QStringLiteral(" Data fine intervallo: "), QStringLiteral("Fine"), central);
    auto* visualizza = namedButton("btnVisualizza", QStringLiteral("Visualizza riepilogo"), central);
    auto* esci = namedButton("btnEsci", QStringLiteral("Esci"), central);
    lblAttendere_ = namedLabel("lblAttendere", QStringLiteral("Caricamento riepilogo in corso. Attendere..."), central);
    lblAttendere_->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    lblAttendere_->hide();
    lblFile_ = namedLabel("lblFile", {}, central);
    lblFile_->hide();

    auto* dates = new QHBoxLayout;
    dates->addWidget(start_.box);
    dates->addWidget(end_.box);
    dates->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblAttendere_);
    buttons->addStretch();
    buttons->addWidget(visualizza);
    buttons->addWidget(esci);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(namedLabel("lblCampo01", QString::fromUtf8(texts.instruction), central));
    layout->addLayout(form);
    layout->addWidget(namedLabel("lblCampo02", QString::fromUtf8(texts.blankFilters), central));
    layout->addSpacing(8);
    layout->addWidget(namedLabel("lblCampo03", QString::fromUtf8(texts.intervalInstruction), central));
    layout->addLayout(dates);
    layout->addStretch();
    layout->addLayout(buttons);
    layout->addWidget(makeStatusLine(central));
    setCentralWidget(central);

    // Enter moves on; from the last drop-down to the command.
    enterMovesTo(txtAnno_, filters_[0]);
    enterMovesTo(filters_[0], filters_[1]);
    enterMovesTo(filters_[1], start_.day);
    enterMovesTo(start_.day, start_.month);
    enterMovesTo(start_.month, end_.day);
    enterMovesTo(end_.day, end_.month);
    enterMovesTo(end_.month, visualizza);
    connect(txtAnno_, &QLineEdit::textChanged, this, [this](const QString& text) {
        start_.year->setText(trimmed(text));
        end_.year->setText(trimmed(text));
    });
    connect(visualizza, &QPushButton::pressed, lblAttendere_, &QLabel::show);
    connect(visualizza, &QPushButton::clicked, this, &SummaryQuery::showSummary);
    connect(esci, &QPushButton::clicked, this, &SummaryQuery::close);
}

void SummaryQuery::showSummary() {
    lblAttendere_->show();
    const std::optional<Interval> interval = checkYearInterval(txtAnno_, start_, end_);
    if (!interval) {
        lblAttendere_->hide();
        return;
    }
    lblFile_->setText(texts_.file(trimmed(txtAnno_->text())));
    const std::unique_ptr<QDialog> result = texts_.result(lblFile_->text(), filters_[0]->text(), filters_[1]->text(),
                                                          interval->from, interval->to, isVisible() ? this : nullptr);
    screens().exec(result.get());
    lblAttendere_->hide();
}

void SummaryQuery::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    for (QLineEdit* f : filters_) f->clear();
    clearDateBoxes(start_, end_);
    txtAnno_->setText(QString::number(QDate::currentDate().year()).rightJustified(4, u'0'));
    lblAttendere_->hide();
    filters_[0]->setFocus(Qt::OtherFocusReason);
}

void SummaryQuery::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) emit closed();
}

}  // namespace cal

#include "IntervalQuery.moc"
