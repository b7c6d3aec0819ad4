#include "screens/ArchiveScreen.h"

#include "screens/CheckScreens.h"
#include "core/Amount.h"
#include "core/DateText.h"
#include "core/ProgramFolder.h"
#include "core/RecordFile.h"
#include "core/Text.h"
#include "report/PdfWriter.h"
#include "report/Printouts.h"
#include "report/Report.h"
#include "screens/Catalog.h"
#include "screens/PrintScreen.h"
#include "screens/TfrmAllegaCartella.h"
#include "screens/TfrmCalendario.h"
#include "screens/TfrmGuida.h"
#include "ui/Icons.h"
#include "ui/KeyRules.h"
#include "ui/Regional.h"
#include "ui/Services.h"
#include "ui/StatusHints.h"

#include <QAction>
#include <algorithm>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <limits>

namespace cal {
namespace {

QString utf8(const char* text) { return QString::fromUtf8(text); }
QString nameOf(const RecordLayout& layout, int field) {
    const std::string_view n = layout.fields[field].name;
    return QString::fromLatin1(n.data(), qsizetype(n.size()));
}

// Object name, caption and picture of each kind of command: a picture that says what it does.
struct CommandLook {
    Cmd kind;
    const char* objectName;
    const char* caption;
    const char* icon;
};
const CommandLook kCommandLooks[] = {
    {Cmd::New, "cmdNuovo", "Nuova", "document-new"},
    {Cmd::Duplicate, "cmdDuplica", "Duplica", "edit-copy"},
    {Cmd::Save, "cmdSalva", "Salva", "document-save"},
    {Cmd::Find, "cmdTrova", "Trova", "edit-find"},
    {Cmd::Attachments, "cmdFile", "Allegati", "mail-attachment"},
    {Cmd::Preview, "cmdAnteprima", "Anteprima", "document-print-preview"},
    {Cmd::Print, "cmdStampa", "Stampa", "document-print"},
    {Cmd::Pdf, "cmdPDF", "PDF", "viewpdf"},
    {Cmd::List, "cmdElenco", "Elenco", "view-list-text"},
    {Cmd::Export, "cmdEsporta", "Excel", "table"},
    {Cmd::Help, "cmdGuida", "Guida", "help-contents"},
    {Cmd::Exit, "cmdEsci", "Esci", "application-exit"},
    {Cmd::Custom, "", "", nullptr},  // each gives its own
};

// Keyboard shortcuts of the usual commands, the same on every archive screen. Enter is not
// among them: it only moves between fields.
struct Shortcut {
    const char* command;
    QKeySequence keys;
};
const Shortcut kShortcuts[] = {
    {"cmdNuovo", QKeySequence(Qt::CTRL | Qt::Key_N)},        {"cmdSalva", QKeySequence(Qt::CTRL | Qt::Key_S)},
    {"cmdDuplica", QKeySequence(Qt::CTRL | Qt::Key_D)},      {"cmdTrova", QKeySequence(Qt::CTRL | Qt::Key_F)},
    {"cmdPrimo", QKeySequence(Qt::CTRL | Qt::Key_PageUp)},   {"cmdUltimo", QKeySequence(Qt::CTRL | Qt::Key_PageDown)},
    {"cmdIndietro", QKeySequence(Qt::Key_PageUp)},           {"cmdAvanti", QKeySequence(Qt::Key_PageDown)},
    {"cmdStampa", QKeySequence(Qt::CTRL | Qt::Key_P)},       {"cmdGuida", QKeySequence(Qt::Key_F1)},
    {"cmdFile", QKeySequence(Qt::CTRL | Qt::Key_L)},         {"cmdEsporta", QKeySequence(Qt::CTRL | Qt::Key_E)},
    {"cmdAnteprima", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)},
    {"cmdPDF", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},  {"cmdEsci", QKeySequence(Qt::CTRL | Qt::Key_Q)},
};

// Side buttons: the caption of each kind.
const char* sideCaption(Side kind) {
    switch (kind) {
    case Side::FiscalCode:
    case Side::VatNumber:
    case Side::Iban:
    case Side::Card: return "Verifica";
    case Side::Email: return "Scrivi";
    case Side::Web: return "Apri";
    case Side::Today: return "Oggi";
    case Side::Import: return "Importa";
    case Side::DocumentChoose: return "Sfoglia...";
    case Side::DocumentOpen: return "Apri";
    case Side::DocumentClear: return "Cancella";
    case Side::Custom: break;
    }
    return "";
}

QString today() { return todayText(); }

// Fields that hold a few characters (codes, provinces, postal codes, dates, amounts) and lists
// of short items are given the width of what they hold instead of the row's; true when so.
constexpr int kRowSpacing = 3;  // pixels between the rows of a group
constexpr int kWideField = 20;  // characters: from here on a field takes the row's width
bool sizeToCapacity(QWidget* input, const FieldRow& row, int capacity) {
    const QFontMetrics fm = input->fontMetrics();
    if (auto* combo = qobject_cast<QComboBox*>(input)) {
        qsizetype longest = combo->isEditable() ? capacity : 0;
        for (const QString& item : row.items) longest = std::max(longest, item.size());
        if (longest > kWideField) return false;
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        combo->setMinimumContentsLength(int(std::max<qsizetype>(longest, 2)));
        combo->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        return true;
    }
    auto* line = qobject_cast<QLineEdit*>(input);
    if (!line || capacity > kWideField) return false;
    const QChar widest = row.typing == Typing::Digits || row.control == Control::Amount2 ||
                                 row.control == Control::Amount4 || row.control == Control::PickedDate
                             ? u'0'
                             : row.typing == Typing::Upper || row.typing == Typing::UpperTrim ? u'W' : u'x';
    const int chars = std::max(capacity, 3);
    line->setFixedWidth(fm.horizontalAdvance(QString(chars, widest)) + 2 * fm.averageCharWidth() + 12);
    return true;
}

// How high a group stands, in rows: its rows and its title.
int groupHeight(const FieldGroup& g) {
    int rows = 0;
    for (const FieldRow& r : g.rows) rows += r.control == Control::Text ? 4 : 1;
    return rows + (g.title ? 2 : 0);
}

}  // namespace

std::vector<int> groupColumns(const std::vector<FieldGroup>& groups, int columns) {
    const int n = int(groups.size());
    columns = std::clamp(columns, 1, std::max(1, n));
    // Every way of cutting the groups into `columns` runs in their order; the one whose highest
    // column is lowest wins; of equal ones, the one whose first columns are the fuller.
    std::vector<int> best, current(std::size_t(n), 0);
    int bestHeight = std::numeric_limits<int>::max();
    std::function<void(int, int, int)> place = [&](int group, int column, int highest) {
        if (group == n) {
            if (column == columns - 1 && highest <= bestHeight) {
                bestHeight = highest;
                best = current;
            }
            return;
        }
        int height = 0;
        for (int end = group; end < n; ++end) {  // groups `group`..`end` in this column
            height += groupHeight(groups[std::size_t(end)]);
            for (int g = group; g <= end; ++g) current[std::size_t(g)] = column;
            if (end + 1 < n && column + 1 < columns) place(end + 1, column + 1, std::max(highest, height));
            if (end + 1 == n) place(n, column, std::max(highest, height));
        }
    };
    if (n > 0) place(0, 0, 0);
    if (best.empty()) best.assign(std::size_t(n), 0);
    return best;
}

std::vector<SideButton> documentSlot(const char* clearName, const char* clearHint) {
    return {{Side::DocumentChoose, "btnSfoglia", "Seleziona il file da allegare alla scheda corrente."},
            {Side::DocumentOpen, "btnApri", "Apri il file allegato alla scheda corrente."},
            {Side::DocumentClear, clearName, clearHint}};
}

SaveCheck required(int field, const char* message) { return {field, utf8(message)}; }

SaveCheck numberInRange(int field, int low, int high, const char* message) {
    return {field, utf8(message), [low, high](const QString& text) {
                bool ok = false;
                const int n = text.toInt(&ok);
                return ok && n >= low && n <= high;
            }};
}

SaveCheck memberOf(int field, QStringList members, const char* message) {
    return {field, utf8(message), [members = std::move(members)](const QString& text) { return members.contains(text); }};
}

SaveCheck validDate(int field, const char* message) {
    return {field, utf8(message), [](const QString& text) { return isValidDateText(text); }};
}

ArchiveScreen::ArchiveScreen(const ArchiveDefinition& definition, QWidget* parent)
    : QMainWindow(parent), def_(&definition) {
    applyRegionalSettings();
    setObjectName(QString::fromLatin1(def_->objectName));
    setWindowTitle(utf8(def_->caption));
    toolbar_ = newToolbar();

    panInfo_ = makeStatusLine(this, ArchiveText::kReady);
    hints_ = new StatusHints(panInfo_);

    // The position reads as a position between the navigation commands: its caption under the
    // number, like the commands' captions under their pictures, and nothing that looks typable.
    positionBox_ = new QWidget(this);
    auto* positionLayout = new QVBoxLayout(positionBox_);
    positionLayout->setContentsMargins(8, 0, 8, 0);
    positionLayout->setSpacing(0);
    lblPosizione_ = new QLabel(positionBox_);
    lblPosizione_->setObjectName(QStringLiteral("lblPosizione"));
    lblPosizione_->setAlignment(Qt::AlignCenter);
    lblPosizione_->setMinimumWidth(lblPosizione_->fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
    lblPosizione_->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 13pt;"));
    auto* positionCaption = new QLabel(QStringLiteral("Scheda n."), positionBox_);
    positionCaption->setObjectName(QStringLiteral("lblTitoloPosizione"));
    positionCaption->setAlignment(Qt::AlignCenter);
    positionLayout->addWidget(lblPosizione_);
    positionLayout->addWidget(positionCaption);
    setPosition(0);
    lblFile_ = new QLabel(this);
    lblFile_->setObjectName(QStringLiteral("lblFile"));
    lblFile_->hide();

    buildCommands();
    buildRecordArea();
}

// ---- building the screen from the definition ----

void ArchiveScreen::buildRecordArea() {
    auto* area = new QWidget;
    auto* columnsLayout = new QHBoxLayout(area);
    columnsLayout->setContentsMargins(8, 6, 8, 6);
    columnsLayout->setSpacing(10);
    QList<QWidget*> enterOrder;
    // The groups stand in columns, in their order: down the first column, then down the next, the
    // way the eye reads and the focus moves; each column takes a run of groups of about the same height.
    const std::vector<int> columnOf = groupColumns(def_->groups, std::max(1, def_->columns));
    const int columns = columnOf.empty() ? 1 : columnOf.back() + 1;
    std::vector<QVBoxLayout*> stacks;
    std::vector<bool> columnGrows(static_cast<std::size_t>(columns), false);
    for (int c = 0; c < columns; ++c) {
        stacks.push_back(new QVBoxLayout);
        stacks.back()->setSpacing(6);
        columnsLayout->addLayout(stacks.back(), 1);
    }
    std::vector<QList<QLabel*>> labelsByColumn(static_cast<std::size_t>(columns));
    for (std::size_t index = 0; index < def_->groups.size(); ++index) {
        const FieldGroup& g = def_->groups[index];
        const auto column = std::size_t(columnOf[index]);
        QWidget* box = g.title ? new QGroupBox(utf8(g.title), area) : new QWidget(area);
        auto* form = new QFormLayout(box);
        form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
        // Rows close together, so that the longest record fits an ordinary office screen.
        form->setVerticalSpacing(kRowSpacing);
        if (g.title) form->setContentsMargins(8, 4, 8, 6);
        else form->setContentsMargins(0, 0, 0, 0);
        bool grows = false;
        for (const FieldRow& row : g.rows) {
            // The field and its buttons are the label's siblings, so the label names the field
            // also for assistive technology.
            QLayout* cell = buildField(row, box, enterOrder);
            if (row.control == Control::Text) grows = true;
            if (row.control == Control::Check) {
                form->addRow(cell);
                continue;
            }
            auto* label = new QLabel(utf8(row.label), box);
            label->setBuddy(fieldWidget(row.field));
            form->addRow(label, cell);
            labelsByColumn[column] << label;
        }
        // The window's height goes to the groups with a multi-line text; without one, below the groups.
        stacks[column]->addWidget(box, grows ? 1 : 0);
        if (grows) columnGrows[column] = true;
    }
    for (int c = 0; c < columns; ++c)
        if (!columnGrows[std::size_t(c)]) stacks[std::size_t(c)]->addStretch(1);
    // The groups of one column share their label width, so their fields start at the same point.
    for (const QList<QLabel*>& labels : labelsByColumn) {
        int width = 0;
        for (QLabel* l : labels) width = std::max(width, l->sizeHint().width());
        for (QLabel* l : labels) l->setMinimumWidth(width);
    }
    // Record fields without a place on the screen are kept in hidden labels (attachments).
    for (int f = 0; f < layout().count(); ++f) {
        if (fieldWidget(f)) continue;
        auto* hidden = new QLabel(area);
        hidden->setObjectName(nameOf(layout(), f));
        hidden->hide();
        bind(f, hidden);
    }

    if (!def_->enterChain.empty()) {
        enterOrder.clear();
        for (int f : def_->enterChain) enterOrder << fieldWidget(f);
    }
    // Enter moves along the chain (in a picked date it opens the date picker instead), or as the
    // archive's own moves say.
    if (def_->enterMoves.empty()) {
        for (qsizetype i = 0; i < enterOrder.size(); ++i)
            if (!pickedDates_.contains(enterOrder[i]))
                enterMovesTo(enterOrder[i], enterOrder[(i + 1) % enterOrder.size()]);
    } else {
        for (const EnterMove& m : def_->enterMoves) enterMovesTo(fieldWidget(m.from), fieldWidget(m.to));
        enterOrder.prepend(fieldWidget(def_->enterMoves.front().from));
    }
    firstField_ = def_->firstField >= 0 ? fieldWidget(def_->firstField) : enterOrder.value(0);

    auto* central = new QWidget(this);
    auto* box = new QVBoxLayout(central);
    box->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(central);
    scroll->setWidget(area);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);  // Tab goes from field to field, never to the frame
    scroll->setAccessibleName(QStringLiteral("Scheda"));
    scroll->viewport()->setAccessibleName(QStringLiteral("Campi della scheda"));
    box->addWidget(scroll, 1);
    box->addWidget(panInfo_);
    setCentralWidget(central);
    // The focused field shows a frame, or a coloured background where the archive asks for it.
    area->setStyleSheet(def_->focusLook == FocusLook::Background
                            ? QStringLiteral("QLineEdit:focus, QComboBox:focus, QPlainTextEdit:focus "
                                             "{ background: #fff3b0; }")
                            : QStringLiteral("QLineEdit:focus, QComboBox:focus, QPlainTextEdit:focus "
                                             "{ border: 2px solid #2a6fdb; border-radius: 2px; }"));
}

QLayout* ArchiveScreen::buildField(const FieldRow& row, QWidget* parent, QList<QWidget*>& enterOrder) {
    QWidget* input = nullptr;
    QLineEdit* line = nullptr;
    switch (row.control) {
    case Control::List:
    case Control::EditableList: {
        auto* combo = new QComboBox(parent);
        combo->addItems(row.items);
        if (row.control == Control::EditableList) {
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            if (row.typing == Typing::UpperTrim) provinceCombo(combo);
        }
        combo->setCurrentIndex(-1);
        if (row.control == Control::List) fixedListCombo(combo);
        input = combo;
        break;
    }
    case Control::Check: {
        auto* box = new QCheckBox(utf8(row.label), parent);
        if (row.hint) addHint(box, utf8(row.hint));
        input = box;
        break;
    }
    case Control::Options: input = new OptionsBox(row.choices, parent); break;
    case Control::Text: {
        auto* text = new QPlainTextEdit(parent);
        text->setTabChangesFocus(true);  // Tab goes on to the next field, as everywhere
        input = text;
        break;
    }
    default: input = line = new QLineEdit(parent); break;
    }
    input->setObjectName(nameOf(layout(), row.field));
    input->setAccessibleName(utf8(row.label));
    // The text part of a drop-down that can be typed into is named as the drop-down.
    if (auto* combo = qobject_cast<QComboBox*>(input); combo && combo->lineEdit())
        combo->lineEdit()->setAccessibleName(utf8(row.label));
    bind(row.field, input);
    if (row.control != Control::Check && row.control != Control::Options) enterOrder << input;

    if (line) {
        switch (row.typing) {
        case Typing::Upper: upperCaseWhileTyping(line, false); break;
        case Typing::UpperTrim: upperCaseWhileTyping(line, true); break;
        case Typing::Trim: trimWhileTyping(line); break;
        case Typing::Digits: acceptDigitsOnly(line); break;
        case Typing::Free: break;
        }
        switch (row.control) {
        case Control::Amount2: amountField(line, 2); break;
        case Control::Amount4: amountField(line, 4); break;
        case Control::ReadOnly: line->setReadOnly(true); break;
        case Control::PickedDate: {
            const QString keyword = QString::fromLatin1(row.dateKeyword);
            pickerDateField(line, [keyword, line] { openDatePicker(keyword, line); });
            pickedDates_ << line;
            if (row.hint) addHint(line, utf8(row.hint));
            break;
        }
        default: break;
        }
    }
    // A field of a few characters is as wide as what it holds, its buttons next to it.
    auto* layoutRow = new QHBoxLayout;
    layoutRow->setContentsMargins(0, 0, 0, 0);
    const bool narrow = sizeToCapacity(input, row, layout().fields[row.field].capacity);
    layoutRow->addWidget(input, narrow ? 0 : 1);
    // A date filled from the calendar shows the calendar's button beside it, the same on every
    // archive; the keyboard opens the calendar from the field itself, which is its Tab stop.
    // It is made before the row's other buttons: it stands for the field in the Tab order, so it
    // must follow the field there, or Tab from the buttons after it would lead back to the field.
    QToolButton* calendar = nullptr;
    if (row.control == Control::PickedDate && line) {
        calendar = new QToolButton(parent);
        calendar->setObjectName(QStringLiteral("btnCalendario") + nameOf(layout(), row.field).mid(3));
        calendar->setIcon(programIcon("view-calendar-day"));
        calendar->setIconSize(QSize(16, 16));
        calendar->setAccessibleName(QStringLiteral("Calendario: ") + utf8(row.label));
        calendar->setFocusPolicy(Qt::NoFocus);
        calendar->setFocusProxy(line);
        addHint(calendar, QStringLiteral("Scegli la data dal calendario."));
        connect(calendar, &QToolButton::clicked, this, [line, keyword = QString::fromLatin1(row.dateKeyword)] {
            line->setFocus(Qt::MouseFocusReason);
            openDatePicker(keyword, line);
        });
    }
    QAbstractButton* document[3] = {};
    for (const SideButton& b : row.buttons) {
        QWidget* button = buildSideButton(b, row.field, parent);
        layoutRow->addWidget(button);
        if (b.kind == Side::DocumentChoose) document[0] = static_cast<QAbstractButton*>(button);
        if (b.kind == Side::DocumentOpen) document[1] = static_cast<QAbstractButton*>(button);
        if (b.kind == Side::DocumentClear) document[2] = static_cast<QAbstractButton*>(button);
    }
    if (calendar) layoutRow->addWidget(calendar);
    if (narrow) layoutRow->addStretch(1);
    if (line && document[0] && document[1] && document[2])
        bindMainDocumentSlot(line, document[0], document[1], document[2]);
    return layoutRow;
}

QWidget* ArchiveScreen::buildSideButton(const SideButton& b, int field, QWidget* parent) {
    auto* button = new QPushButton(utf8(b.caption ? b.caption : sideCaption(b.kind)), parent);
    button->setObjectName(QString::fromLatin1(b.objectName));
    button->setAccessibleName(utf8(b.hint));
    button->setAutoDefault(false);
    // Reached with Tab, never taking the focus from a field when clicked.
    button->setFocusPolicy(Qt::TabFocus);
    addHint(button, utf8(b.hint));
    std::function<void()> action;
    switch (b.kind) {
    case Side::FiscalCode: action = [this, field] { openFiscalCodeButton(fieldText(field)); }; break;
    case Side::VatNumber: action = [this, field] { openVatNumberCheck(fieldText(field)); }; break;
    case Side::Iban: action = [this, field] { openIbanCheck(fieldText(field)); }; break;
    case Side::Card: action = [this, field] { openCardCheck(fieldText(field)); }; break;
    case Side::Email:
    case Side::Web: {
        const QString blank = b.blankWarning ? utf8(b.blankWarning) : QString();
        action = [this, field, mail = b.kind == Side::Email, blank] {
            const QString address = trimmed(fieldText(field));
            if (address.isEmpty() && !blank.isEmpty()) {
                warning(blank);
                for (Binding& bound : bindings_)
                    if (bound.field == field) bound.editor.clear();
                std::vector<FieldPreset> presets;
                for (const FieldPreset& p : def_->onClear)
                    if (p.field == field) presets.push_back(p);
                applyPresets(presets);
                if (QWidget* w = fieldWidget(field)) w->setFocus(Qt::OtherFocusReason);
                return;
            }
            if (mail) {
                shell().open(mailtoTarget(address));
                return;
            }
            // Only a web address goes to the browser: a record that came from elsewhere can never
            // make this button open or start a local file.
            if (const std::optional<QString> web = webTarget(address)) {
                shell().open(*web);
                return;
            }
            warning(ArchiveText::kNotWebAddress);
            if (QWidget* w = fieldWidget(field)) w->setFocus(Qt::OtherFocusReason);
        };
        break;
    }
    case Side::Today: action = [this, field] { setWidgetText(fieldWidget(field), today()); }; break;
    case Side::Import: {
        const std::string search = b.search;
        const QString keyword = QString::fromLatin1(b.keyword);
        action = [this, search, keyword] { openSearch(search, keyword, this); };
        break;
    }
    case Side::Custom: action = [this, f = b.action] { f(*this); }; break;
    case Side::DocumentChoose:
    case Side::DocumentOpen:
    case Side::DocumentClear: break;  // wired as the main document slot
    }
    if (action) connect(button, &QPushButton::clicked, this, action);
    return button;
}

namespace {
// Where a command stands in a second row of commands, the same on every archive screen: the
// archive's own commands first, in its order, then those every archive shares.
int rowRank(Cmd kind) {
    switch (kind) {
    case Cmd::Attachments: return 1;
    case Cmd::Preview: return 2;
    case Cmd::Print: return 3;
    case Cmd::Pdf: return 4;
    case Cmd::Export: return 5;
    case Cmd::Help: return 6;
    case Cmd::Exit: return 7;
    default: return 0;
    }
}
}  // namespace

void ArchiveScreen::buildCommands() {
    const std::vector<Command>& all = def_->commands;
    auto rowStart = all.begin();
    bool firstRow = true;
    while (rowStart != all.end()) {
        const auto rowEnd = std::find_if(rowStart, all.end(), [](const Command& c) { return c.kind == Cmd::Break; });
        std::vector<const Command*> row;
        for (auto it = rowStart; it != rowEnd; ++it) row.push_back(&*it);
        if (!firstRow) {
            std::stable_sort(row.begin(), row.end(),
                             [](const Command* a, const Command* b) { return rowRank(a->kind) < rowRank(b->kind); });
        }
        for (std::size_t i = 0; i < row.size(); ++i) {
            // A line between the archive's own commands and the shared ones.
            if (!firstRow && i > 0 && rowRank(row[i - 1]->kind) == 0 && rowRank(row[i]->kind) > 0)
                toolbar_->addSeparator();
            addCommand(*row[i]);
        }
        if (rowEnd == all.end()) break;
        addCommand(*rowEnd);  // the break: a new row
        rowStart = rowEnd + 1;
        firstRow = false;
    }
}

void ArchiveScreen::addCommand(const Command& c) {
    if (c.kind == Cmd::Navigation) return addNavigation();
    if (c.kind == Cmd::Break) {
        addToolBarBreak();
        toolbar_ = newToolbar();
        return;
    }
    const CommandLook* look = &kCommandLooks[0];
    for (const CommandLook& l : kCommandLooks)
        if (l.kind == c.kind) look = &l;
    const QString name = QString::fromLatin1(c.objectName ? c.objectName : look->objectName);
    const QString caption = utf8(c.caption ? c.caption : look->caption);
    const QIcon icon = programIcon(c.picture ? c.picture : look->icon);
    const QString keyword = QString::fromLatin1(def_->keyword);
    const std::string target = c.target ? c.target : "";
    std::function<void()> action;
    switch (c.kind) {
    case Cmd::New: action = [this] { newRecord(); }; break;
    case Cmd::Duplicate: action = [this] { duplicate(); }; break;
    case Cmd::Save: action = [this] { save(); }; break;
    case Cmd::Find:
    case Cmd::List: action = [this, target, keyword] { openSearch(target, keyword, this); }; break;
    case Cmd::Attachments: action = [this, keyword] { openAttachmentsOf(this, keyword); }; break;
    case Cmd::Preview: action = [this] { previewCard(); }; break;
    case Cmd::Print: action = [this] { printCard(); }; break;
    case Cmd::Pdf: action = [this] { writePdf(); }; break;
    case Cmd::Export: action = [this, target] { openExport(target, this); }; break;
    case Cmd::Help: action = [topic = utf8(c.target)] { showHelp(topic); }; break;
    case Cmd::Exit: action = [this] { close(); }; break;
    case Cmd::Custom: action = [this, f = c.action] { f(*this); }; break;
    case Cmd::Navigation:
    case Cmd::Break: break;
    }
    QAction* a = addAction(name, icon, caption, utf8(c.hint), std::move(action));
    if (c.keys && a->shortcut().isEmpty()) setCommandShortcut(a, QKeySequence(QString::fromLatin1(c.keys)));
}


QAction* ArchiveScreen::addAction(const QString& objectName, const QIcon& icon, const QString& caption,
                                  const QString& hint, std::function<void()> action) {
    QAction* a = addToolbarCommand(toolbar_, hints_, objectName, icon, caption, hint);
    connect(a, &QAction::triggered, this, [action = std::move(action)] { action(); });
    for (const Shortcut& k : kShortcuts) {
        if (objectName != QLatin1String(k.command)) continue;
        setCommandShortcut(a, k.keys);
        break;
    }
    return a;
}

void ArchiveScreen::addNavigation() {
    toolbar_->addSeparator();
    addAction(QStringLiteral("cmdPrimo"), programIcon("go-first"), QStringLiteral("Prima"),
              QStringLiteral("Visualizza la prima scheda in archivio."), [this] { first(); });
    addAction(QStringLiteral("cmdIndietro"), programIcon("go-previous"), QStringLiteral("Indietro"),
              QStringLiteral("Visualizza la scheda precedente in archivio."), [this] { previous(); });
    toolbar_->addWidget(positionBox_);
    addAction(QStringLiteral("cmdAvanti"), programIcon("go-next"), QStringLiteral("Avanti"),
              QStringLiteral("Visualizza la scheda successiva in archivio."), [this] { next(); });
    addAction(QStringLiteral("cmdUltimo"), programIcon("go-last"), QStringLiteral("Ultima"),
              QStringLiteral("Visualizza l'ultima scheda in archivio."), [this] { last(); });
    toolbar_->addSeparator();
}

QToolBar* ArchiveScreen::newToolbar() {
    QToolBar* bar = addToolBar(QStringLiteral("Comandi"));
    bar->setObjectName(QStringLiteral("tbComandi%1").arg(findChildren<QToolBar*>().size()));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->setIconSize(kToolbarIconSize);
    return bar;
}

void ArchiveScreen::addHint(QWidget* element, const QString& hint) { hints_->add(element, hint); }

// ---- fields ----

QString recordFileFor(const RecordLayout& layout, QWidget* caller) {
    if (auto* archive = qobject_cast<ArchiveScreen*>(caller); archive && &archive->layout() == &layout)
        return archive->filePath();
    return programFile(QString::fromUtf8(layout.fileName.data(), qsizetype(layout.fileName.size())));
}

QString ArchiveScreen::filePath() const {
    if (!filePath_.isEmpty()) return filePath_;
    return programFile(QString::fromUtf8(layout().fileName.data(), qsizetype(layout().fileName.size())));
}

void ArchiveScreen::setFilePath(const QString& path) {
    filePath_ = path;
    lblFile_->setText(path);
}

QString ArchiveScreen::position() const { return trimmed(lblPosizione_->text()); }

void ArchiveScreen::setPosition(qint64 position) {
    if (position <= 0) asRead_.reset();
    lblPosizione_->setText(position > 0 ? QString::number(position) : QString());
    lblPosizione_->setAccessibleName(position > 0 ? QStringLiteral("Posizione %1").arg(position)
                                                  : QStringLiteral("Posizione: nuova scheda"));
}

void ArchiveScreen::bind(int field, QWidget* widget) {
    Binding b{field, FieldEditor(widget)};
    b.editor.setCapacity(layout().fields[field].capacity);
    bindings_.push_back(b);
}

QWidget* ArchiveScreen::fieldWidget(int field) const {
    for (const Binding& b : bindings_)
        if (b.field == field) return b.editor.widget();
    return nullptr;
}

QString ArchiveScreen::fieldText(int field) const {
    for (const Binding& b : bindings_) {
        if (b.field != field) continue;
        const QString text = b.editor.kind() == FieldEditor::Kind::Text ? storedLines(b.editor.text()) : b.editor.text();
        return layout().zeroTerminated ? text : trimmed(text);
    }
    return {};
}

QString ArchiveScreen::fieldText(std::string_view name) const { return fieldText(layout().indexOf(name)); }

Record ArchiveScreen::recordFromScreen() const {
    Record record(layout());
    for (const Binding& b : bindings_) record.setText(b.field, fieldText(b.field));
    return record;
}

void ArchiveScreen::showRecord(const Record& record, qint64 position) {
    for (Binding& b : bindings_) {
        const QString text = record.text(b.field);
        b.editor.setText(b.editor.kind() == FieldEditor::Kind::Text ? plainLines(text) : text);
    }
    setPosition(position);
    asRead_ = record;
}

void ArchiveScreen::applyPresets(const std::vector<FieldPreset>& presets) {
    const std::vector<int>& kept = def_->kept.fields;
    for (const FieldPreset& p : presets) {
        if (std::find(kept.begin(), kept.end(), p.field) != kept.end()) continue;  // kept as it is
        for (Binding& b : bindings_) {
            if (b.field != p.field) continue;
            switch (p.value) {
            case Preset::Empty: b.editor.clear(); break;
            case Preset::ZeroAmount: b.editor.setText(kZeroAmount); break;
            case Preset::Today: b.editor.setText(today()); break;
            case Preset::Text: b.editor.setText(utf8(p.text)); break;
            }
        }
    }
}

void ArchiveScreen::clearScreen() {
    const std::vector<int>& kept = def_->kept.fields;
    for (Binding& b : bindings_)
        if (std::find(kept.begin(), kept.end(), b.field) == kept.end()) b.editor.clear();
    applyPresets(def_->onClear);
    setPosition(0);
    clearExtra();
    if (firstField_) firstField_->setFocus(Qt::OtherFocusReason);
}

// ---- the record protocol ----

bool ArchiveScreen::withFile(const std::function<bool(RecordFile&)>& work, FailureKind kind) {
    RecordFile file;
    bool ok = file.open(filePath(), layout().size()) && work(file);
    ok = file.close() && ok;
    if (!ok) dialogs().message(kind == FailureKind::Warning ? Dialogs::Kind::Warning
                               : kind == FailureKind::Plain ? Dialogs::Kind::Plain
                                                            : Dialogs::Kind::Error,
                               accessFailureMessage());
    return ok;
}

bool ArchiveScreen::readAt(RecordFile& file, qint64 index) {
    Record record(layout());
    if (!file.seek(index) || !file.read(record)) return false;
    showRecord(record, index + 1);
    return true;
}

void ArchiveScreen::newRecord() { clearScreen(); }

void ArchiveScreen::save() {
    if (QWidget* editing = focusWidget(); def_->saveLeavesField && editing && editing->hasFocus()) editing->clearFocus();
    for (const SaveCheck& c : def_->checks) {
        // Checked trimmed also where the value is stored untrimmed (zero-terminated fields).
        const QString text = trimmed(fieldText(c.field));
        if (c.passes ? c.passes(text) : !text.isEmpty()) continue;
        warning(c.message);
        if (QWidget* w = fieldWidget(c.field)) w->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (def_->beforeSave && !def_->beforeSave(*this)) return;
    const QString pos = position();
    if (pos.isEmpty())
        append(recordFromScreen());
    else
        overwrite(pos.toLongLong(), recordFromScreen());
}

bool ArchiveScreen::prepareAppend(RecordFile&, Record&, QString&) { return true; }

void ArchiveScreen::append(Record record) {
    const Record built = record;
    QString message = def_->insertedMessage ? utf8(def_->insertedMessage) : ArchiveText::kInserted;
    qint64 written = 0;
    const bool ok = withFile([&](RecordFile& file) {
        return file.whileLocked([&] { return prepareAppend(file, record, message) && (written = file.append(record)) > 0; });
    }, def_->saveFailure);
    if (!ok) return;
    // The screen shows what was stored, also where the archive changed it on the way.
    if (record.sameValues(built)) {
        setPosition(written);
        asRead_ = record;
    } else {
        showRecord(record, written);
    }
    information(message);
}

void ArchiveScreen::overwrite(qint64 position, const Record& record) {
    const qint64 index = position - 1;
    for (;;) {
        // The record as the file holds it, when another copy changed it since it was read.
        std::optional<Record> changed;
        const bool ok = withFile([&](RecordFile& file) {
            return file.whileLocked([&] {
                // A position past the end of the file (the file was shortened meanwhile) is not
                // written: it would leave a gap of garbage records.
                if (index < 0 || index > file.count()) return false;
                if (asRead_ && index < file.count()) {
                    Record stored(layout());
                    if (!file.seek(index) || !file.read(stored)) return false;
                    if (!stored.sameValues(*asRead_)) {
                        changed = stored;
                        return true;  // nothing is written before the user answers
                    }
                }
                return file.seek(index) && file.write(record);
            });
        }, def_->saveFailure);
        if (!ok) return;
        if (!changed) break;
        const int answer = dialogs().choose(ArchiveText::kChangedMeanwhile,
                                            {ArchiveText::kOverwrite, ArchiveText::kShowStored, ArchiveText::kCancel});
        if (answer == 1) showRecord(*changed, position);
        if (answer != 0) return;
        // Overwrite what the user was told of; a change made while the question was open asks again.
        asRead_ = changed;
    }
    setPosition(position);
    asRead_ = record;
    information(ArchiveText::kUpdated);
}

void ArchiveScreen::duplicate() {
    if (position().isEmpty()) {
        warning(ArchiveText::kDuplicateNeedsSave);
        return;
    }
    if (def_->attachments >= 0)
        for (Binding& b : bindings_)
            if (b.field >= def_->attachments && b.field < def_->attachments + 6) b.editor.clear();
    applyPresets(def_->onDuplicate);
    setPosition(0);
    if (!withFile([](RecordFile&) { return true; }, def_->duplicateFailure)) return;
    QWidget* focus = def_->duplicateFocus >= 0 ? fieldWidget(def_->duplicateFocus) : firstField_;
    if (focus) focus->setFocus(Qt::OtherFocusReason);
    information(ArchiveText::kDuplicated);
}

void ArchiveScreen::first() {
    bool empty = false;
    withFile([&](RecordFile& file) {
        empty = file.count() == 0;
        return empty || readAt(file, 0);
    });
    if (empty) information(ArchiveText::kEmpty);
}

void ArchiveScreen::last() {
    bool empty = false;
    withFile([&](RecordFile& file) {
        empty = file.count() == 0;
        return empty || readAt(file, file.count() - 1);
    });
    if (empty) information(ArchiveText::kEmpty);
}

void ArchiveScreen::next() {
    bool empty = false;
    withFile([&](RecordFile& file) {
        const qint64 p = position().toLongLong();  // empty counts as 0
        if (file.count() == 0) {
            empty = true;
            setPosition(0);
            return true;
        }
        return p >= file.count() || readAt(file, p);
    });
    if (empty) information(ArchiveText::kEmpty);
}

void ArchiveScreen::previous() {
    bool empty = false;
    withFile([&](RecordFile& file) {
        const QString pos = position();
        if (pos == QLatin1String("1")) return true;
        if (file.count() == 0) {
            empty = true;
            return true;
        }
        const qint64 index = pos.isEmpty() ? 0 : pos.toLongLong() - 2;
        return readAt(file, index);
    });
    if (empty) information(ArchiveText::kEmpty);
}

bool ArchiveScreen::requireSavedRecord(const QString& message) {
    if (!position().isEmpty()) return true;
    warning(message);
    return false;
}

// ---- the card ----

Report ArchiveScreen::card(CardUse use) const {
    const CardDefinition& c = def_->card;
    const bool pdf = use == CardUse::Pdf;
    auto value = [this](const CardRow& row) { return row.value ? row.value(*this) : fieldText(std::string_view(row.field)); };
    Report report;
    if (c.kind == CardKind::FixedCaption) {
        QList<Report::FixedRow> rows;
        for (const CardRow& row : c.rows) rows.push_back({QString::fromLatin1(row.field), utf8(row.caption)});
        report = Report::fixedCaptionCard(utf8(c.title), rows);
        for (const CardRow& row : c.rows) report.setText(QString::fromLatin1(row.field), value(row));
    } else {
        report = Report::captionValueCard();
        report.setText(QStringLiteral("txtTitolo"), utf8(pdf && c.pdfTitle ? c.pdfTitle : c.title));
        int i = 0;
        for (const CardRow& row : c.rows) {
            const QString n = QStringLiteral("%1").arg(++i, 2, 10, QChar(u'0'));
            report.setText(QStringLiteral("titCampo") + n, utf8(pdf && row.pdfCaption ? row.pdfCaption : row.caption));
            report.setText(QStringLiteral("txtCampo") + n, value(row));
        }
    }
    report.setOrientation(Report::Orientation::Portrait);
    report.setText(QStringLiteral("txtCalce"), cardFooter(QDateTime::currentDateTime()));
    report.setDocumentInfo(QStringLiteral("Scheda informativa"), QStringLiteral("Scheda informativa"));
    report.prepare();
    return report;
}

void ArchiveScreen::printCard() {
    const CardDefinition& c = def_->card;
    if (!c.printScreen) {
        printing().print(card());
        return;
    }
    PrintScreen screen(QString::fromLatin1(c.printScreen), utf8(c.printCaption), [this] {
                           printing().print(card());
                           return true;
                       },
                       isVisible() ? this : nullptr);
    screens().exec(&screen);
}

void ArchiveScreen::previewCard() { printing().preview(card()); }

void ArchiveScreen::writePdf() {
    const QString path = programFile(QString::fromLatin1(def_->card.pdfFile));
    if (!writeReportPdf(card(CardUse::Pdf), path)) {
        error(ArchiveText::kPdfFailed);
        return;
    }
    if (dialogs().question(ArchiveText::kPdfDone)) shell().open(path);
}

// ---- window ----

void ArchiveScreen::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous()) return;
    if (const KeptFields& kept = def_->kept; kept.load) {
        const std::optional<QStringList> values = kept.load();
        keptAsRead_ = values;
        for (std::size_t i = 0; i < kept.fields.size(); ++i)
            for (Binding& b : bindings_)
                if (b.field == kept.fields[i]) b.editor.setText(values ? values->value(qsizetype(i)) : QString());
    }
    clearScreen();
}

void ArchiveScreen::closeEvent(QCloseEvent* event) {
    if (const KeptFields& kept = def_->kept; kept.store) {
        QStringList values;
        for (int field : kept.fields) values << trimmed(fieldText(field));
        if (!kept.store(values, keptAsRead_)) {
            if (kept.storeFailureKind == FailureKind::Warning) warning(utf8(kept.storeFailure));
            else error(utf8(kept.storeFailure));
        }
    }
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) emit closed();
}

void ArchiveScreen::keyPressEvent(QKeyEvent* event) {
    // Escape does what the close box does.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

}  // namespace cal
