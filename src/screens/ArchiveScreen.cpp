#include "screens/ArchiveScreen.h"

#include "core/ProgramFolder.h"
#include "core/RecordFile.h"
#include "core/Text.h"
#include "ui/Services.h"
#include "ui/StatusHints.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace cal {

ArchiveScreen::ArchiveScreen(const RecordLayout& layout, const QString& caption, QWidget* parent)
    : QMainWindow(parent), layout_(&layout) {
    setWindowTitle(caption);
    toolbar_ = newToolbar();

    panInfo_ = makeStatusLine(this, ArchiveText::kReady);
    hints_ = new StatusHints(panInfo_);

    lblPosizione_ = new QLabel(this);
    lblPosizione_->setObjectName(QStringLiteral("lblPosizione"));
    lblPosizione_->setAlignment(Qt::AlignCenter);
    lblPosizione_->setMinimumWidth(60);
    lblPosizione_->setMaximumHeight(30);
    lblPosizione_->setFrameShape(QFrame::StyledPanel);
    lblPosizione_->setFrameShadow(QFrame::Sunken);
    lblPosizione_->setStyleSheet(QStringLiteral("font-weight: bold; background: white; padding: 2px 6px;"));
    lblPosizione_->setAccessibleName(QStringLiteral("Posizione"));
    lblFile_ = new QLabel(this);
    lblFile_->setObjectName(QStringLiteral("lblFile"));
    lblFile_->hide();
}

QString ArchiveScreen::filePath() const {
    if (!filePath_.isEmpty()) return filePath_;
    return programFile(QString::fromUtf8(layout_->fileName.data(), qsizetype(layout_->fileName.size())));
}

void ArchiveScreen::setFilePath(const QString& path) {
    filePath_ = path;
    lblFile_->setText(path);
}

QString ArchiveScreen::position() const { return trimmed(lblPosizione_->text()); }

void ArchiveScreen::setPosition(qint64 position) {
    lblPosizione_->setText(position > 0 ? QString::number(position) : QString());
}

void ArchiveScreen::bind(int field, QWidget* widget) {
    const int capacity = layout_->fields[field].capacity;
    if (auto* e = qobject_cast<QLineEdit*>(widget)) e->setMaxLength(capacity);
    if (auto* c = qobject_cast<QComboBox*>(widget); c && c->lineEdit()) c->lineEdit()->setMaxLength(capacity);
    bindings_.push_back({field, widget});
}

QWidget* ArchiveScreen::fieldWidget(int field) const {
    for (const Binding& b : bindings_)
        if (b.field == field) return b.widget;
    return nullptr;
}

namespace {
QString widgetText(QWidget* w) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
    if (auto* t = qobject_cast<QPlainTextEdit*>(w)) return t->toPlainText();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* b = qobject_cast<QCheckBox*>(w)) return checkText(b->isChecked());
    return {};
}

void setWidgetText(QWidget* w, const QString& text) {
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(text);
    else if (auto* c = qobject_cast<QComboBox*>(w)) c->setEditText(text);
    else if (auto* t = qobject_cast<QPlainTextEdit*>(w)) t->setPlainText(text);
    else if (auto* l = qobject_cast<QLabel*>(w)) l->setText(text);
    else if (auto* b = qobject_cast<QCheckBox*>(w)) b->setChecked(checkState(text, b->isChecked()));
}
}  // namespace

QString ArchiveScreen::fieldText(int field) const {
    QWidget* w = fieldWidget(field);
    return w ? trimmed(widgetText(w)) : QString();
}

Record ArchiveScreen::recordFromScreen() const {
    Record record(*layout_);
    for (const Binding& b : bindings_) {
        const QString text = widgetText(b.widget);
        record.setText(b.field, layout_->zeroTerminated ? text : trimmed(text));
    }
    return record;
}

void ArchiveScreen::showRecord(const Record& record, qint64 position) {
    for (const Binding& b : bindings_) setWidgetText(b.widget, record.text(b.field));
    setPosition(position);
}

void ArchiveScreen::clearScreen() {
    for (const Binding& b : bindings_) {
        if (auto* c = qobject_cast<QComboBox*>(b.widget)) {
            c->setCurrentIndex(-1);
            c->setEditText(QString());
        } else if (auto* box = qobject_cast<QCheckBox*>(b.widget)) {
            box->setChecked(false);
        } else {
            setWidgetText(b.widget, QString());
        }
    }
    setPosition(0);
    clearExtra();
    if (firstField_) firstField_->setFocus(Qt::OtherFocusReason);
}

bool ArchiveScreen::withFile(const std::function<bool(RecordFile&)>& work) {
    RecordFile file;
    bool ok = file.open(filePath(), layout_->size()) && work(file);
    ok = file.close() && ok;
    if (!ok) error(accessFailureMessage());
    return ok;
}

bool ArchiveScreen::readAt(RecordFile& file, qint64 index) {
    Record record(*layout_);
    if (!file.seek(index) || !file.read(record)) return false;
    showRecord(record, index + 1);
    return true;
}

void ArchiveScreen::newRecord() { clearScreen(); }

void ArchiveScreen::save() {
    for (const Required& r : required_) {
        if (fieldText(r.field).isEmpty()) {
            warning(r.message);
            if (QWidget* w = fieldWidget(r.field)) w->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    const QString pos = position();
    const Record record = recordFromScreen();
    qint64 written = 0;
    const bool ok = withFile([&](RecordFile& file) {
        if (pos.isEmpty()) return (written = file.append(record)) > 0;
        const qint64 index = pos.toLongLong() - 1;
        // A position past the end of the file (the file was shortened meanwhile) is not
        // written: it would leave a gap of garbage records.
        if (index < 0 || index > file.count() || !file.seek(index) || !file.write(record)) return false;
        written = file.position();
        return true;
    });
    if (!ok) return;
    setPosition(written);
    information(pos.isEmpty() ? ArchiveText::kInserted : ArchiveText::kUpdated);
}

void ArchiveScreen::duplicate() {
    if (position().isEmpty()) {
        warning(ArchiveText::kDuplicateNeedsSave);
        return;
    }
    for (const Binding& b : bindings_) {
        const std::string_view name = layout_->fields[b.field].name;
        if (name.starts_with("lblFile0") || name.starts_with("lblDesc0")) setWidgetText(b.widget, QString());
    }
    setPosition(0);
    if (!withFile([](RecordFile&) { return true; })) return;
    if (firstField_) firstField_->setFocus(Qt::OtherFocusReason);
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

QToolBar* ArchiveScreen::newToolbar() {
    QToolBar* bar = addToolBar(QStringLiteral("Comandi"));
    bar->setObjectName(QStringLiteral("tbComandi%1").arg(findChildren<QToolBar*>().size()));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    bar->setIconSize(QSize(22, 22));
    return bar;
}

void ArchiveScreen::addCommandRow() {
    addToolBarBreak();
    toolbar_ = newToolbar();
}

namespace {
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
};
}  // namespace

QAction* ArchiveScreen::addCommand(const QString& objectName, const QIcon& icon, const QString& caption,
                                   const QString& hint, std::function<void()> action) {
    QAction* a = addToolbarCommand(toolbar_, hints_, objectName, icon, caption, hint);
    connect(a, &QAction::triggered, this, [action = std::move(action)] { action(); });
    for (const Shortcut& k : kShortcuts) {
        if (objectName != QLatin1String(k.command)) continue;
        a->setShortcut(k.keys);
        a->setShortcutContext(Qt::WindowShortcut);
        if (QWidget* button = toolbar_->widgetForAction(a))
            button->setToolTip(hint + QStringLiteral(" (") + k.keys.toString(QKeySequence::NativeText) + u')');
    }
    return a;
}

void ArchiveScreen::addNavigation(const QString& firstHint, const QString& previousHint, const QString& nextHint,
                                  const QString& lastHint) {
    toolbar_->addSeparator();
    addCommand(QStringLiteral("cmdPrimo"), style()->standardIcon(QStyle::SP_MediaSkipBackward), QStringLiteral("Prima"),
               firstHint, [this] { first(); });
    addCommand(QStringLiteral("cmdIndietro"), style()->standardIcon(QStyle::SP_MediaSeekBackward),
               QStringLiteral("Indietro"), previousHint, [this] { previous(); });
    toolbar_->addWidget(lblPosizione_);
    addCommand(QStringLiteral("cmdAvanti"), style()->standardIcon(QStyle::SP_MediaSeekForward), QStringLiteral("Avanti"),
               nextHint, [this] { next(); });
    addCommand(QStringLiteral("cmdUltimo"), style()->standardIcon(QStyle::SP_MediaSkipForward), QStringLiteral("Ultima"),
               lastHint, [this] { last(); });
    toolbar_->addSeparator();
}

void ArchiveScreen::addHint(QWidget* element, const QString& hint) { hints_->add(element, hint); }

void ArchiveScreen::setRecordArea(QWidget* area) {
    auto* central = new QWidget(this);
    auto* box = new QVBoxLayout(central);
    box->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(central);
    scroll->setWidget(area);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    box->addWidget(scroll, 1);
    box->addWidget(panInfo_);
    setCentralWidget(central);
    // The focused field shows a frame.
    area->setStyleSheet(QStringLiteral(
        "QLineEdit:focus, QComboBox:focus, QPlainTextEdit:focus { border: 2px solid #2a6fdb; border-radius: 2px; }"));
}

void ArchiveScreen::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) clearScreen();
}

void ArchiveScreen::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) emit closed();
}

}  // namespace cal
