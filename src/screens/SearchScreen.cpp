#include "screens/SearchScreen.h"

#include "ui/Regional.h"
#include "core/ProgramFolder.h"
#include "core/RecordFile.h"
#include "core/Text.h"
#include "report/Printouts.h"
#include "report/Report.h"
#include "screens/ArchiveScreen.h"
#include "screens/FieldEditor.h"
#include "ui/KeyRules.h"
#include "ui/Services.h"
#include "ui/Windows.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace cal {
namespace {

QLabel* label(const QString& name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setWordWrap(true);
    return l;
}

QPushButton* button(const QString& name, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

// Enter on a line of the list opens it, like a double click.
class ListKeys : public QObject {
    Q_OBJECT
public:
    ListKeys(QListView* list, SearchScreen* screen) : QObject(list), list_(list), screen_(screen) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        screen_->openRow(list_->currentIndex().isValid() ? list_->currentIndex().row() : -1);
        return true;
    }

private:
    QListView* list_;
    SearchScreen* screen_;
};

}  // namespace

QFont listFont() {
    QFont mono(QStringLiteral("Courier New"), 12);
    mono.setStyleHint(QFont::TypeWriter);
    mono.setFixedPitch(true);
    if (!QFontInfo(mono).fixedPitch()) {
        mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        mono.setPointSize(12);
    }
    return mono;
}

int listWindowWidth(const SearchDefinition& definition, int available) {
    // The fixed columns are those of a blank record's line; the free text that ends most lines
    // (notes, open questions) is given room for its first words too.
    constexpr int kFreeColumn = 30;
    constexpr int kFrame = 80;  // list frame, scroll bar and the window's margins
    qsizetype chars = 100;
    if (definition.line && definition.layout) {
        const QByteArray blank(definition.layout->size() + 1, '\0');
        chars = definition.line(blank.constData()).size() + kFreeColumn;
    }
    const int wanted = QFontMetrics(listFont()).horizontalAdvance(QString(chars, u'0')) + kFrame;
    return std::min(std::max(wanted, 1000), available);
}

int SearchScreen::listWindowWidth() const { return cal::listWindowWidth(def_, windowRoom(this).width()); }

void SearchScreen::fitToPanel() {
    // The filters take the size they need; the list is as wide as its lines, within the screen.
    const QMargins margins = layout()->contentsMargins();
    QSize wanted = panels_->currentWidget()->sizeHint().grownBy(margins);
    if (panels_->currentIndex() == panels_->count() - 1) wanted = QSize(listWindowWidth(), kListWindowHeight);
    fitWindow(this, wanted);
}

int ListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return list_ ? int(list_->size()) : 0;
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
    return list_->line(index.row());
}

void ListModel::setList(const ResultList* list) {
    beginResetModel();
    list_ = list;
    endResetModel();
}

SearchScreen::SearchScreen(const SearchDefinition& definition, QWidget* parent) : QDialog(parent), def_(definition) {
    setObjectName(QString::fromLatin1(def_.objectName));
    applyRegionalSettings();
    setWindowTitle(def_.caption);
    setModal(true);
    lblMemory_ = label(QStringLiteral("lblMemory"), {}, this);
    lblMemory_->hide();
    panels_ = new QStackedWidget(this);
    if (!def_.filters.empty()) panels_->addWidget(buildFilterPanel());
    panels_->addWidget(buildResultPanel());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panels_);
}

QWidget* SearchScreen::buildFilterPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panAvvio"));
    auto* form = new QFormLayout;
    QList<QWidget*> chain;
    for (const FilterField& f : def_.filters) {
        auto* edit = new QLineEdit(panel);
        edit->setObjectName(QString::fromLatin1(f.objectName));
        const int capacity = def_.layout->fields[f.field].capacity;
        edit->setMaxLength(capacity);
        // As wide as what it holds, up to a short sentence: the panel opens at the size its
        // filters need, not stretched across the screen.
        edit->setFixedWidth(edit->fontMetrics().averageCharWidth() * std::clamp(capacity, 12, 48) + 16);
        auto* l = new QLabel(QString::fromUtf8(f.label), panel);
        l->setBuddy(edit);
        edit->setAccessibleName(l->text());
        form->addRow(l, edit);
        filterEdits_ << edit;
        chain << edit;
    }
    enterChain(chain);
    auto* cerca = button(QStringLiteral("btnCerca"), QStringLiteral("Cerca"), panel);
    auto* annulla = button(QStringLiteral("btnAnnulla"), QStringLiteral("Chiudi"), panel);
    lblAttendere_ = label(QStringLiteral("lblAttendere"), QStringLiteral("Ricerca schede in corso. Attendere..."), panel);
    lblAttendere_->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    lblAttendere_->hide();
    lblConta_ = label(QStringLiteral("lblConta"), {}, panel);
    lblConta_->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblAttendere_);
    buttons->addStretch();
    buttons->addWidget(cerca);
    buttons->addWidget(annulla);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(label(QStringLiteral("lblRigo04"),
                            QStringLiteral("Immettere nei campi prescelti una o più parole consecutive presenti nelle "
                                           "schede da trovare e premere il pulsante Cerca."),
                            panel));
    layout->addWidget(label(QStringLiteral("lblRigo05"), QStringLiteral("Lasciare in bianco tutti gli altri campi."), panel));
    layout->addWidget(label(QStringLiteral("lblRigo06"),
                            QStringLiteral("Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente."),
                            panel));
    layout->addSpacing(8);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);

    // The wait notice appears as soon as the button goes down, before the search blocks the screen.
    connect(cerca, &QPushButton::pressed, lblAttendere_, &QLabel::show);
    connect(cerca, &QPushButton::clicked, this, &SearchScreen::search);
    connect(annulla, &QPushButton::clicked, this, &SearchScreen::reject);
    return panel;
}

QWidget* SearchScreen::buildResultPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("panContainer"));
    lstRecords_ = new QListView(panel);
    model_ = new ListModel(this);
    lstRecords_->setModel(model_);
    lstRecords_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstRecords_->setObjectName(QStringLiteral("lstRecords"));
    lstRecords_->setAccessibleName(QStringLiteral("Elenco schede"));
    lstRecords_->setFont(listFont());
    lstRecords_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    lstRecords_->setUniformItemSizes(true);
    lstRecords_->installEventFilter(new ListKeys(lstRecords_, this));
    lblTrovate_ = label(QStringLiteral("lblTrovate"), def_.countBefore, panel);
    lblTrovate_->setVisible(!def_.countText.isEmpty());
    txtTrova_ = new QLineEdit(panel);
    txtTrova_->setObjectName(QStringLiteral("txtTrova"));
    txtTrova_->setAccessibleName(QStringLiteral("Testo da trovare"));
    auto* trova = button(QStringLiteral("btnTrova"), QStringLiteral("Trova"), panel);
    auto* stampa = button(QStringLiteral("btnStampa"), QStringLiteral("Stampa"), panel);
    auto* chiudi = button(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), panel);
    enterMovesTo(txtTrova_, trova);

    auto* findRow = new QHBoxLayout;
    findRow->addWidget(txtTrova_, 1);
    findRow->addWidget(trova);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(label(QStringLiteral("lblRigo03"),
                             QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic."), panel),
                       1);
    for (const ListCommand& c : def_.listCommands) {
        auto* b = button(QString::fromLatin1(c.objectName), QString::fromUtf8(c.caption), panel);
        b->setToolTip(QString::fromUtf8(c.hint));
        buttons->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, &c] { runListCommand(c); });
    }
    buttons->addWidget(stampa);
    buttons->addWidget(chiudi);
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(lblTrovate_);
    layout->addWidget(lstRecords_, 1);
    layout->addWidget(label(QStringLiteral("lblRigo01"),
                            QStringLiteral("Immettere una o più parole consecutive presenti nella scheda in elenco da "
                                           "cercare e premere il pulsante Trova."),
                            panel));
    layout->addWidget(label(QStringLiteral("lblRigo02"),
                            QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, "
                                           "fare di nuovo clic su Trova."),
                            panel));
    layout->addLayout(findRow);
    layout->addLayout(buttons);

    connect(trova, &QPushButton::clicked, this, &SearchScreen::findInList);
    connect(stampa, &QPushButton::clicked, this, &SearchScreen::printList);
    connect(chiudi, &QPushButton::clicked, this, &SearchScreen::reject);
    connect(lstRecords_, &QListView::doubleClicked, this, [this](const QModelIndex& index) { openRow(index.row()); });
    return panel;
}

void SearchScreen::setKeyword(const QString& keyword, QWidget* caller) {
    lblMemory_->setText(keyword);
    caller_ = caller;
}

void SearchScreen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;  // restored from the task bar: nothing to redo
    finder_.forget();
    txtTrova_->clear();
    fitToPanel();
    if (def_.filters.empty()) {
        fillList();
        txtTrova_->setFocus(Qt::OtherFocusReason);
    } else if (!filterEdits_.isEmpty()) {
        filterEdits_.first()->setFocus(Qt::OtherFocusReason);
    }
}

void SearchScreen::search() {
    std::vector<SearchFilter> filters;
    for (qsizetype i = 0; i < filterEdits_.size(); ++i)
        filters.push_back({def_.filters[std::size_t(i)].field, filterEdits_[i]->text()});
    const RecordMatcher matcher(*def_.layout, filters);
    lblConta_->setText(QString::number(matcher.filtersInUse()));
    model_->setList(nullptr);
    list_ = {};  // the last list is let go before the next is made
    auto found = listRecords(
        filePath(), *def_.layout,
        [&](const char* record) { return (!def_.listed || def_.listed(record)) && matcher.matches(record); }, def_.line,
        !def_.fileOrder);
    lblAttendere_->hide();
    if (!found.complete) {
        plainMessage(accessFailureMessage());
        return;
    }
    list_ = std::move(found.list);
    showResults();
}

void SearchScreen::fillList() {
    model_->setList(nullptr);
    list_ = {};
    // A read failure is not reported: the list shows what was read.
    list_ = listRecords(
                filePath(), *def_.layout, [this](const char* record) { return !def_.listed || def_.listed(record); },
                def_.line, !def_.fileOrder)
                .list;
    showResults();
}

QStringList SearchScreen::lines() const { return list_.lines(); }

QString SearchScreen::filePath() const {
    return def_.filePath ? def_.filePath() : recordFileFor(*def_.layout, caller_.data());
}

int SearchScreen::currentRow() const {
    const QModelIndex i = lstRecords_->currentIndex();
    return i.isValid() ? i.row() : -1;
}

void SearchScreen::selectRow(int row) {
    const QModelIndex i = model_->index(row);
    lstRecords_->setCurrentIndex(i);
    lstRecords_->scrollTo(i);
}

void SearchScreen::showResults() {
    model_->setList(&list_);
    if (!list_.empty()) selectRow(0);
    lblTrovate_->setText(def_.countText.arg(list_.size()));
    panels_->setCurrentIndex(panels_->count() - 1);
    fitToPanel();
    txtTrova_->clear();
    txtTrova_->setFocus(Qt::OtherFocusReason);
}

void SearchScreen::findInList() {
    const auto result = finder_.find(list_, currentRow(), txtTrova_->text());
    if (result.outcome == ListFinder::Outcome::EmptyList) {
        plainMessage(QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        return;
    }
    selectRow(result.selected);
}

void SearchScreen::runListCommand(const ListCommand& command) {
    if (list_.empty()) {
        plainMessage(QStringLiteral("Esportazione non applicabile: la lista non contiene nessuna voce."));
        return;
    }
    std::vector<qint64> records;
    records.reserve(std::size_t(list_.size()));
    for (qsizetype row = 0; row < list_.size(); ++row) records.push_back(list_.record(row));
    command.action(filePath(), records);
}

void SearchScreen::printList() { printing().print(listingReport(def_.listTitle, lines())); }

void SearchScreen::openRow(int row) {
    if (row < 0 || row >= int(list_.size())) {
        reject();
        return;
    }
    // The record is the one whose line was chosen, read again from the file.
    Record record(*def_.layout);
    RecordFile file;
    const qint64 index = list_.record(row);
    const bool ok = file.open(filePath(), def_.layout->size()) && file.seek(index) && file.read(record);
    file.close();
    if (!ok) {
        reject();
        return;
    }
    const QString keyword = lblMemory_->text();
    if (keyword == def_.ownKeyword) {
        if (auto* archive = qobject_cast<ArchiveScreen*>(caller_.data())) archive->showRecord(record, index + 1);
    } else if (caller_) {
        for (const PickerKeyword& p : def_.pickers) {
            if (keyword != QLatin1String(p.keyword)) continue;
            for (const FieldCopy& c : p.copies)
                if (QWidget* target = caller_->findChild<QWidget*>(QString::fromLatin1(c.target)))
                    setWidgetText(target, record.text(c.field));
        }
    }
    accept();
}

void SearchScreen::done(int result) {
    model_->setList(nullptr);
    list_ = {};
    if (lblAttendere_) lblAttendere_->hide();
    QDialog::done(result);
}

void runSearchScreen(const SearchDefinition& definition, const QString& keyword, QWidget* caller) {
    SearchScreen screen(definition, caller && caller->isVisible() ? caller->window() : nullptr);
    screen.setKeyword(keyword, caller);
    screens().exec(&screen);
}

}  // namespace cal

#include "SearchScreen.moc"
