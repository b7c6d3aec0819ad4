#include "screens/ExportScreen.h"

#include "screens/ArchiveScreen.h"
#include "ui/Icons.h"

#include "ui/Regional.h"
#include "core/ProgramFolder.h"
#include "core/SafeWrite.h"
#include "core/Search.h"
#include "screens/ArchiveScreen.h"
#include "screens/TfrmGuida.h"
#include "ui/Services.h"
#include "ui/KeyRules.h"
#include "ui/StatusHints.h"
#include "ui/Windows.h"

#include <QDir>
#include <QGuiApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QLabel>
#include <QShowEvent>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace cal {

GridModel::GridModel(QStringList headers, QObject* parent) : QAbstractTableModel(parent), headers_(std::move(headers)) {
    headers_.prepend(QStringLiteral("N."));
}

int GridModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return records_.layout ? int(records_.count) : int(rows_.size());
}

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(headers_.size()); }

namespace {
constexpr qint64 kCachedRows = 256;
}

QStringList GridModel::row(int index) const {
    if (!records_.layout) return index >= 0 && index < rows_.size() ? rows_[index] : QStringList();
    if (index < 0 || index >= records_.count) return {};
    const qint64 block = index / kCachedRows;
    if (block != cachedBlock_) {
        cachedBlock_ = block;
        cached_.clear();
        const qint64 first = block * kCachedRows;
        const qint64 size = records_.layout->size();
        const qint64 wanted = std::min(kCachedRows, records_.count - first);
        QFile file(records_.path);
        QByteArray bytes;
        if (openRegularFile(file, QIODevice::ReadOnly) && file.seek(first * size)) bytes = file.read(wanted * size);
        for (qint64 i = 0; i < wanted; ++i)
            cached_ << ((i + 1) * size <= bytes.size() ? records_.row(bytes.constData() + i * size) : QStringList());
    }
    return cached_.value(index % kCachedRows);
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const QStringList cells = row(index.row());
    if (index.column() == 0) {
        if (!numbers_.isEmpty()) return numbers_.value(index.row());
        return cells.isEmpty() ? QString() : QString::number(index.row() + 1);
    }
    const int c = index.column() - 1;
    return c < cells.size() ? cells[c] : QString();
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section >= headers_.size()) return {};
    return headers_[section];
}

void GridModel::setEmptyRows(int count) { setRows(QList<QStringList>(count)); }

void GridModel::setRows(QList<QStringList> rows) { setRows(std::move(rows), {}); }

void GridModel::setRows(QList<QStringList> rows, QStringList numbers) {
    beginResetModel();
    records_ = {};
    cachedBlock_ = -1;
    cached_.clear();
    rows_ = std::move(rows);
    numbers_ = std::move(numbers);
    endResetModel();
}

void GridModel::setRecords(Records records) {
    beginResetModel();
    rows_.clear();
    numbers_.clear();
    cachedBlock_ = -1;
    cached_.clear();
    records_ = std::move(records);
    endResetModel();
}

QList<QStringList> GridModel::rows() const {
    if (!records_.layout) return rows_;
    QList<QStringList> out;
    out.reserve(records_.count);
    forEachRow([&](const QStringList& r) { out << r; });
    return out;
}

bool GridModel::forEachRow(const std::function<void(const QStringList&)>& put) const {
    if (!records_.layout) {
        for (const QStringList& r : rows_) put(r);
        return true;
    }
    return forEachRecord([&](const char* record) { put(records_.row(record)); });
}

const RecordRow* GridModel::recordRow() const { return records_.layout ? records_.row.target<RecordRow>() : nullptr; }

bool GridModel::forEachRecord(const std::function<void(const char*)>& put) const {
    if (!records_.layout) return false;
    qint64 seen = 0;
    const bool read = scanRecordFile(records_.path, *records_.layout, [&](qint64 index, const char* record) {
        if (index >= records_.count) return;
        put(record);
        ++seen;
    });
    // A file shortened since the grid was filled cannot give every row the grid shows.
    return read && seen == records_.count;
}

ExportScreen::ExportScreen(const ExportDefinition& definition, QWidget* parent) : QDialog(parent), def_(definition) {
    setObjectName(QString::fromLatin1(def_.objectName));
    applyRegionalSettings();
    setWindowTitle(def_.caption);
    QStringList headers = def_.gridHeaders;
    if (headers.isEmpty())
        for (const ExportColumn& c : def_.columns) headers << QString::fromUtf8(c.header.data(), qsizetype(c.header.size()));
    model_ = new GridModel(headers, this);
    model_->setEmptyRows(10);

    QLabel* panInfo = makeStatusLine(this, def_.statusText);
    auto* hints = hints_ = new StatusHints(panInfo);
    auto* toolbar = new QToolBar(this);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    struct Command {
        const char* name;
        const char* caption;
        const char* hint;
        const char* icon;
        QKeySequence keys;
        std::function<void()> action;
    };
    const Command commands[] = {
        {"cmdEsporta", "Esporta", "Esporta l'archivio in formato Microsoft Excel.", "table",
         QKeySequence(Qt::CTRL | Qt::Key_E), [this] { exportFile(); }},
        {"cmdGuida", "Guida", "Visualizza la pagina della guida sensibile al contesto.", "help-contents",
         QKeySequence(Qt::Key_F1), [this] { showHelp(def_.helpTitle); }},
        {"cmdEsci", "Esci", "Esci da questo ambiente di lavoro.", "application-exit", QKeySequence(Qt::Key_Escape),
         [this] { reject(); }},
    };
    for (const Command& c : commands)
        connect(addToolbarCommand(toolbar, hints, QString::fromLatin1(c.name), programIcon(c.icon),
                                  QString::fromUtf8(c.caption), QString::fromUtf8(c.hint), c.keys),
                &QAction::triggered, this, c.action);

    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("grdRecords"));
    grid_->setAccessibleName(QStringLiteral("Schede da esportare"));
    grid_->setModel(model_);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(24);
    grid_->setWordWrap(false);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Each column starts at the width its cell has in the file, widened where its name would be
    // cut; the user can resize any of them.
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid_->horizontalHeader()->setDefaultSectionSize(160);
    grid_->setColumnWidth(0, 60);
    int total = 60;
    for (int c = 1; c < model_->columnCount(); ++c) {
        const int fileWidth = c - 1 < int(def_.columns.size()) ? def_.columns[std::size_t(c - 1)].width : 120;
        const int nameWidth = grid_->horizontalHeader()->fontMetrics().horizontalAdvance(headers[c - 1]) + 24;
        grid_->setColumnWidth(c, std::max(fileWidth, nameWidth));
        total += grid_->columnWidth(c);
    }
    // As wide as the columns need, within the screen.
    fitWindow(this, QSize(std::max(total + 60, 1100), 600));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(toolbar);
    layout->addWidget(grid_, 1);
    layout->addWidget(panInfo);
}

QAction* ExportScreen::addQueryCommand(const QString& objectName, const QString& caption, const QString& hint) {
    auto* toolbar = findChild<QToolBar*>();
    QAction* first = toolbar->actions().value(0);
    QAction* query = addToolbarCommand(toolbar, hints_, objectName, programIcon("view-filter"),
                                       caption, hint, QKeySequence(Qt::Key_F5));
    toolbar->removeAction(query);
    toolbar->insertAction(first, query);
    return query;
}

QLineEdit* ExportScreen::addDateField(const char* objectName, const QString& label, const QString& hint) {
    if (!dateRow_) {
        dateRow_ = new QWidget(this);
        auto* row = new QHBoxLayout(dateRow_);
        row->setContentsMargins(0, 0, 0, 0);
        row->addStretch();
        if (auto* box = qobject_cast<QVBoxLayout*>(layout())) box->insertWidget(1, dateRow_);
    }
    auto* row = static_cast<QHBoxLayout*>(dateRow_->layout());
    auto* text = new QLabel(label, dateRow_);
    auto* field = new QLineEdit(dateRow_);
    field->setObjectName(QString::fromLatin1(objectName));
    field->setAccessibleName(label);
    field->setMaxLength(10);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 16);
    text->setBuddy(field);
    hints_->add(field, hint);
    const int at = row->count() - 1;  // before the stretch
    if (lastDate_) row->insertSpacing(at, 12);
    row->insertWidget(row->count() - 1, text);
    row->insertWidget(row->count() - 1, field);
    if (lastDate_) enterMovesTo(lastDate_, field);
    lastDate_ = field;
    return field;
}

void ExportScreen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous() && def_.layout && def_.row) fillFromArchive();
}

void ExportScreen::fillFromArchive() {
    const QString path = recordFilePath();
    QFile file(path);
    const qint64 count = openRegularFile(file, QIODevice::ReadOnly) ? file.size() / def_.layout->size() : 0;
    if (count == 0) {
        model_->setEmptyRows(10);
        return;
    }
    model_->setRecords({.path = path, .layout = def_.layout, .row = def_.row, .count = count});
}

QString ExportScreen::recordFilePath() const {
    return def_.filePath ? def_.filePath() : recordFileFor(*def_.layout, caller_.data());
}

void ExportScreen::setRows(QList<QStringList> rows) {
    if (rows.isEmpty()) model_->setEmptyRows(10);
    else model_->setRows(std::move(rows));
}

QString ExportScreen::exportPath() const { return programFile(QString::fromUtf8(def_.fileName)); }

void ExportScreen::exportFile() {
    if (!dialogs().question(kExportQuestion)) return;
    if (!def_.fileName || !*def_.fileName || !def_.sheetName) {
        // A definition without its file is a programming error; the user is told that nothing
        // was exported.
        qCritical("export screen %s has no export file", def_.objectName);
        plainMessage(kExportFailed);
        return;
    }
    const QString path = exportPath();
    const QString sheet = QString::fromUtf8(def_.sheetName);
    const RecordRow* records = model_->recordRow();
    const bool written =
        records ? writeSpreadsheetRecords(path, sheet, def_.columns, *records,
                                          [this](const auto& put) { return model_->forEachRecord(put); })
                : writeSpreadsheetRows(path, sheet, def_.columns, [this](const auto& put) { return model_->forEachRow(put); });
    if (!written) {
        plainMessage(kExportFailed);
        return;
    }
    if (!dialogs().question(kExportDone)) return;
    if (!shell().open(path)) {
        // No program is associated with the type: show the file in its folder instead.
        information(QStringLiteral("Nessun programma risulta associato ai file di Excel.\n\r\n\r"
                                   "Il file è stato salvato in %1: aprirlo con un programma di fogli di calcolo.")
                        .arg(QDir::toNativeSeparators(path)));
        shell().open(programFolder());
    }
}

void runExportScreen(const ExportDefinition& definition, QWidget* caller) {
    if (definition.create) {
        const std::unique_ptr<ExportScreen> own(definition.create(caller));
        own->setCaller(caller);
        screens().exec(own.get());
        return;
    }
    ExportScreen screen(definition);
    screen.setCaller(caller);
    screens().exec(&screen);
}

void runExportScreen(const ExportDefinition& definition, QList<QStringList> rows) {
    ExportScreen screen(definition);
    screen.setRows(std::move(rows));
    screens().exec(&screen);
}

}  // namespace cal
