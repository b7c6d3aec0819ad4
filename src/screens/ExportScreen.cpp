#include "screens/ExportScreen.h"

#include "screens/ArchiveScreen.h"

#include "ui/Regional.h"
#include "core/ProgramFolder.h"
#include "core/Search.h"
#include "screens/ArchiveScreen.h"
#include "screens/TfrmGuida.h"
#include "ui/Services.h"
#include "ui/KeyRules.h"
#include "ui/StatusHints.h"

#include <QDir>
#include <memory>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QLabel>
#include <QShowEvent>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace cal {

GridModel::GridModel(QStringList headers, QObject* parent) : QAbstractTableModel(parent), headers_(std::move(headers)) {
    headers_.prepend(QStringLiteral("N."));
}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows_.size()); }
int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(headers_.size()); }

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    const QStringList& row = rows_[index.row()];
    if (index.column() == 0) return row.isEmpty() ? QString() : QString::number(index.row() + 1);
    const int c = index.column() - 1;
    return c < row.size() ? row[c] : QString();
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section >= headers_.size()) return {};
    return headers_[section];
}

void GridModel::setEmptyRows(int count) {
    beginResetModel();
    rows_ = QList<QStringList>(count);
    endResetModel();
}

void GridModel::setRows(QList<QStringList> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

ExportScreen::ExportScreen(const ExportDefinition& definition, QWidget* parent) : QDialog(parent), def_(definition) {
    setObjectName(QString::fromLatin1(def_.objectName));
    applyRegionalSettings();
    setWindowTitle(def_.caption);
    resize(1100, 600);
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
        QStyle::StandardPixmap icon;
        std::function<void()> action;
    };
    const Command commands[] = {
        {"cmdEsporta", "Esporta", "Esporta l'archivio in formato Microsoft Excel.", QStyle::SP_DialogSaveButton,
         [this] { exportFile(); }},
        {"cmdGuida", "Guida", "Visualizza la pagina della guida sensibile al contesto.", QStyle::SP_DialogHelpButton,
         [this] { showHelp(def_.helpTitle); }},
        {"cmdEsci", "Esci", "Esci da questo ambiente di lavoro.", QStyle::SP_DialogCloseButton, [this] { reject(); }},
    };
    for (const Command& c : commands)
        connect(addToolbarCommand(toolbar, hints, QString::fromLatin1(c.name), style()->standardIcon(c.icon),
                                  QString::fromUtf8(c.caption), QString::fromUtf8(c.hint)),
                &QAction::triggered, this, c.action);

    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("grdRecords"));
    grid_->setAccessibleName(QStringLiteral("Schede da esportare"));
    grid_->setModel(model_);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(24);
    grid_->setWordWrap(false);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->horizontalHeader()->setDefaultSectionSize(160);
    grid_->setColumnWidth(0, 60);
    for (int c = 1; c < model_->columnCount(); ++c)
        grid_->setColumnWidth(c, std::max(120, grid_->fontMetrics().horizontalAdvance(headers[c - 1]) + 24));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(toolbar);
    layout->addWidget(grid_, 1);
    layout->addWidget(panInfo);
}

QAction* ExportScreen::addQueryCommand(const QString& objectName, const QString& caption, const QString& hint) {
    auto* toolbar = findChild<QToolBar*>();
    QAction* first = toolbar->actions().value(0);
    QAction* query = addToolbarCommand(toolbar, hints_, objectName,
                                       style()->standardIcon(QStyle::SP_FileDialogContentsView), caption, hint);
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
    QList<QStringList> rows;
    const bool ok = scanRecordFile(recordFilePath(), *def_.layout, [&](qint64, const char* record) { rows << def_.row(record); });
    if (!ok || rows.isEmpty()) {
        model_->setEmptyRows(10);
        return;
    }
    model_->setRows(std::move(rows));
}

QString ExportScreen::recordFilePath() const {
    return def_.filePath ? def_.filePath() : recordFileFor(*def_.layout, caller_.data());
}

void ExportScreen::setRows(QList<QStringList> rows) {
    if (rows.isEmpty()) model_->setEmptyRows(10);
    else model_->setRows(std::move(rows));
}

QString ExportScreen::exportPath() const {
    const ExportFile* file = findExportFile(def_.objectName);
    if (!file) return {};
    return programFile(QString::fromUtf8(file->fileName.data(), qsizetype(file->fileName.size())));
}

void ExportScreen::exportFile() {
    if (!dialogs().question(kExportQuestion)) return;
    const ExportFile* file = findExportFile(def_.objectName);
    if (!file) {
        // A screen missing from the export files table is a programming error; the user is told
        // that nothing was exported.
        qCritical("export screen %s has no export file", def_.objectName);
        plainMessage(kExportFailed);
        return;
    }
    const QString path = exportPath();
    const QString sheet = QString::fromUtf8(file->sheetName.data(), qsizetype(file->sheetName.size()));
    if (!writeSpreadsheet(path, sheet, def_.columns, model_->rows())) {
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
