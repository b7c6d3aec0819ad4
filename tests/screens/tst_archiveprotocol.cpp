// The protocol every archive screen shares, run over each registered archive from its definition:
// New, Save with its checks in order, Duplicate, the four moves and their messages, the access
// failure, clearing when shown, Escape, shortcuts and the Tab chain. A new archive is tested here
// as soon as it is registered.
#include "core/ProgramFolder.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "core/Text.h"
#include "screens/ArchiveScreen.h"
#include "screens/Catalog.h"
#include "screens/ExportScreen.h"
#include "screens/SearchScreen.h"
#include "testlib/CalWidgetTest.h"
#include "testlib/ScreenHelpers.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

#include <sys/stat.h>

using namespace cal;
using Kind = Dialogs::Kind;

namespace {
const QString kAccess = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");

QString nameOf(const RecordLayout& layout, int field) {
    return QString::fromLatin1(layout.fields[field].name.data(), qsizetype(layout.fields[field].name.size()));
}
}  // namespace

class TestArchiveProtocol : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::ProgramFolder> folder;
    std::unique_ptr<caltest::FakeServices> fakes;
    std::unique_ptr<ArchiveScreen> screen;

    void open(const QString& name) {
        const ArchiveModule* module = findArchive(name.toStdString());
        QVERIFY(module);
        screen.reset(module->create());
        QCursor::setPos(4000, 4000);
        screen->show();
        QApplication::setActiveWindow(screen.get());
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        // An archive that opens on a panel of its own (the year to open) is opened on the year it proposes.
        if (auto* opening = screen->findChild<QWidget*>("panAvvio"); opening && opening->isVisible()) {
            auto* open = opening->findChild<QPushButton*>("btnApri");
            QVERIFY(open);
            QTest::mouseClick(open, Qt::LeftButton);
            QVERIFY(!opening->isVisible());
        }
    }
    // Nothing was written: the record file is missing, or empty where showing the screen creates it.
    bool nothingWritten() { return !QFile::exists(screen->filePath()) || file().isEmpty(); }
    QString position() { return screen->findChild<QLabel*>("lblPosizione")->text(); }
    void command(const char* name) { caltest::command(screen.get(), name); }
    QString lastText() { return caltest::lastText(fakes->dialogs); }
    Kind lastKind() { return fakes->dialogs.messages.last().kind; }
    QByteArray file() { return caltest::readAll(screen->filePath()); }
    // A value that passes the field's check: the first entry of a list, the first option, else "1".
    void fill(int field) {
        QWidget* w = screen->fieldWidget(field);
        if (auto* c = qobject_cast<QComboBox*>(w); c && !c->isEditable()) c->setCurrentIndex(0);
        else if (auto* r = w->findChild<QRadioButton*>()) r->setChecked(true);
        else setWidgetText(w, QStringLiteral("1"));
    }
    // Records written straight into the file: every field "<name> <n>", attachments included.
    void writeRecords(int count) {
        RecordFile f;
        QVERIFY(f.open(screen->filePath(), screen->layout().size()));
        QVERIFY(f.seek(f.count()));
        for (int n = 1; n <= count; ++n) {
            Record r(screen->layout());
            for (int field = 0; field < screen->layout().count(); ++field)
                r.setText(field, QStringLiteral("%1 %2").arg(nameOf(screen->layout(), field)).arg(n)
                                     .left(screen->layout().fields[field].capacity));
            QVERIFY(f.write(r));
        }
    }

private slots:
    void init() {
        folder = std::make_unique<caltest::ProgramFolder>();
        setProgramFolder(folder->path());
        fakes = std::make_unique<caltest::FakeServices>();
    }
    void cleanup() {
        screen.reset();
        fakes.reset();
        folder.reset();
    }

    // Every registered archive, with the information its Save shows after adding a record.
    void archives_data() {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QString>("inserted");
        for (const ArchiveModule* m : archiveModules()) {
            const QByteArrayView name(m->archive->objectName);
            QTest::newRow(m->archive->objectName)
                << m->archive->objectName
                << QString::fromUtf8(name == "TfrmScadenzario" ? "La scheda corrente è stata salvata in archivio."
                                                               : "La scheda corrente è stata inserita in archivio.");
        }
    }

    void clearedWhenShownAndEmptyArchive_data() { archives_data(); }
    void clearedWhenShownAndEmptyArchive() {
        QFETCH(QString, archive);
        open(archive);
        QCOMPARE(screen->statusLine()->text(), QString("Pronto per archiviare una nuova scheda..."));
        QCOMPARE(position(), QString());
        QVERIFY(QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget()->window(), screen.get());
        QWidget* first = QApplication::focusWidget();
        // The empty archive: First, Last and Previous keep the position; Next empties it.
        for (const char* cmd : {"cmdPrimo", "cmdUltimo", "cmdIndietro", "cmdAvanti"}) {
            fakes->dialogs.messages.clear();
            command(cmd);
            QCOMPARE(fakes->dialogs.messages.size(), 1);
            QCOMPARE(lastKind(), Kind::Information);
            QCOMPARE(lastText(), QString("L'archivio non contiene nessuna scheda."));
        }
        // Shown again after typing: cleared, with the focus back in the first field.
        setWidgetText(first, QStringLiteral("x"));
        screen->setPosition(3);
        screen->hide();
        screen->show();
        QCOMPARE(position(), QString());
        QCOMPARE(widgetText(first), QString());
        QCOMPARE(screen->focusWidget(), first);
    }

    void saveRunsItsChecksInOrder_data() { archives_data(); }
    void saveRunsItsChecksInOrder() {
        QFETCH(QString, archive);
        QFETCH(QString, inserted);
        open(archive);
        const std::vector<SaveCheck>& checks = screen->definition().checks;
        for (std::size_t failing = 0; failing < checks.size(); ++failing) {
            // A second check on a field already checked (its length after its presence) cannot be
            // made to fail alone by emptying the field: the first check on it is the one tested.
            bool checkedBefore = false;
            for (std::size_t i = 0; i < failing; ++i) checkedBefore = checkedBefore || checks[i].field == checks[failing].field;
            if (checkedBefore) continue;
            screen->newRecord();
            // Every check before this one passes, this one and the later ones fail.
            for (std::size_t i = 0; i < failing; ++i) fill(checks[i].field);
            for (std::size_t i = failing; i < checks.size(); ++i) {
                bool filled = false;
                for (std::size_t j = 0; j < failing; ++j) filled = filled || checks[j].field == checks[i].field;
                if (!filled) FieldEditor(screen->fieldWidget(checks[i].field)).clear();
            }
            fakes->dialogs.messages.clear();
            command("cmdSalva");
            QCOMPARE(fakes->dialogs.messages.size(), 1);
            QCOMPARE(lastKind(), Kind::Warning);
            QCOMPARE(lastText(), checks[failing].message);
            QVERIFY(lastText().startsWith(QString::fromUtf8("Attenzione: per salvare la scheda è necessario indicare ")));
            // An option group hands its focus to its first option.
            QWidget* checked = screen->fieldWidget(checks[failing].field);
            QCOMPARE(QApplication::focusWidget(), checked->focusProxy() ? checked->focusProxy() : checked);
            QVERIFY(nothingWritten());
        }
        screen->newRecord();
        for (const SaveCheck& c : checks) fill(c.field);
        fakes->dialogs.messages.clear();
        command("cmdSalva");
        QCOMPARE(lastText(), inserted);
        QCOMPARE(lastKind(), Kind::Information);
        QCOMPARE(position(), QString("1"));
        const QByteArray once = file();
        QCOMPARE(once.size(), qsizetype(screen->layout().size()));
        // Save again overwrites the same record.
        command("cmdSalva");
        QCOMPARE(lastText(), QString("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
        QCOMPARE(position(), QString("1"));
        QCOMPARE(file(), once);
    }

    void movesAndDuplicate_data() { archives_data(); }
    void movesAndDuplicate() {
        QFETCH(QString, archive);
        open(archive);
        writeRecords(3);
        const QByteArray before = file();
        struct Step {
            const char* command;
            const char* position;
        };
        // From a new record Previous and Next both show the first; the edges do nothing, silently.
        for (const Step& s : {Step{"cmdIndietro", "1"}, Step{"cmdIndietro", "1"}, Step{"cmdAvanti", "2"},
                              Step{"cmdUltimo", "3"}, Step{"cmdAvanti", "3"}, Step{"cmdIndietro", "2"},
                              Step{"cmdPrimo", "1"}, Step{"cmdNuovo", ""}, Step{"cmdAvanti", "1"}}) {
            command(s.command);
            QCOMPARE(position(), QString(s.position));
        }
        QVERIFY(fakes->dialogs.messages.isEmpty());
        const int file01 = screen->layout().indexOf("lblFile01");
        if (file01 >= 0) QCOMPARE(screen->fieldText(file01), QString("lblFile01 1"));
        // Duplicate: the attachments and the position go, the record file is not touched.
        if (!screen->findChild<QToolButton*>("cmdDuplica")) return;
        command("cmdDuplica");
        QCOMPARE(lastKind(), Kind::Information);
        QCOMPARE(lastText(), QString("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
                                     "Al termine premere Salva per inserire la scheda in archivio."));
        QCOMPARE(position(), QString());
        if (file01 >= 0) QCOMPARE(screen->fieldText(file01), QString());
        QCOMPARE(file(), before);
        for (const SaveCheck& c : screen->definition().checks)
            if (screen->fieldText(c.field).isEmpty()) fill(c.field);
        command("cmdSalva");
        QCOMPARE(position(), QString("4"));
        QCOMPARE(file().size(), 4 * qsizetype(screen->layout().size()));
        // Duplicate with no saved record: its warning only.
        command("cmdNuovo");
        fakes->dialogs.messages.clear();
        command("cmdDuplica");
        QCOMPARE(fakes->dialogs.messages.size(), 1);
        QCOMPARE(lastKind(), Kind::Warning);
        QCOMPARE(lastText(), QString::fromUtf8("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo "
                                               "che questa è stata inserita in archivio."));
    }

    void unreachableFileGivesTheAccessMessage_data() { archives_data(); }
    void unreachableFileGivesTheAccessMessage() {
        QFETCH(QString, archive);
        open(archive);
        // A record file created empty when the screen was shown is taken away: none can be made now.
        if (QFile::exists(screen->filePath())) QVERIFY(file().isEmpty() && QFile::remove(screen->filePath()));
        CAL_READ_ONLY(guard, folder->path());
        for (const SaveCheck& c : screen->definition().checks) fill(c.field);
        for (const char* cmd : {"cmdSalva", "cmdPrimo", "cmdUltimo", "cmdAvanti", "cmdIndietro"}) {
            fakes->dialogs.messages.clear();
            command(cmd);
            QCOMPARE(fakes->dialogs.messages.size(), 1);
            const bool plain = screen->definition().saveFailure == FailureKind::Plain && QByteArrayView(cmd) == "cmdSalva";
            QCOMPARE(lastKind(), plain ? Kind::Plain : Kind::Error);
            QCOMPARE(lastText(), kAccess);
        }
        QCOMPARE(position(), QString());
        QVERIFY(!QFile::exists(screen->filePath()));
    }

    // A pipe where the record file should be: every command that reads the archive gives the
    // access message (the search as a plain one) or shows nothing, at once, instead of waiting
    // for a writer that never comes.
    void pipeInPlaceOfTheRecordFile_data() { archives_data(); }
    void pipeInPlaceOfTheRecordFile() {
        QFETCH(QString, archive);
        open(archive);
        const QString path = screen->filePath();
        if (QFile::exists(path)) QVERIFY(file().isEmpty() && QFile::remove(path));
        QCOMPARE(::mkfifo(qPrintable(path), 0644), 0);
        for (const SaveCheck& c : screen->definition().checks) fill(c.field);
        for (const char* cmd : {"cmdSalva", "cmdPrimo", "cmdUltimo"}) {
            fakes->dialogs.messages.clear();
            command(cmd);
            QCOMPARE(fakes->dialogs.messages.size(), 1);
            QCOMPARE(lastText(), kAccess);
        }
        const ArchiveModule* module = findArchive(archive.toStdString());
        for (const SearchDefinition* search : module->searches) {
            fakes->dialogs.messages.clear();
            bool shown = false;
            fakes->screens.handlers << [&](QDialog* d) {
                shown = true;
                if (auto* cerca = d->findChild<QPushButton*>("btnCerca")) {
                    QTest::mouseClick(cerca, Qt::LeftButton);
                    QCOMPARE(fakes->dialogs.messages.size(), 1);
                    QCOMPARE(lastKind(), Kind::Plain);
                    QCOMPARE(lastText(), kAccess);
                } else {
                    QVERIFY(caltest::listLines(d).isEmpty());
                }
            };
            openSearch(search->objectName, QString::fromLatin1(screen->definition().keyword), screen.get());
            QVERIFY2(shown, search->objectName);
        }
        for (const ExportDefinition* e : module->exports) {
            bool shown = false;
            fakes->screens.handlers << [&](QDialog* d) {
                shown = true;
                auto* grid = d->findChild<QTableView*>("grdRecords");
                QVERIFY(grid);
                for (int row = 0; row < grid->model()->rowCount(); ++row)
                    QCOMPARE(grid->model()->index(row, 1).data().toString(), QString());
            };
            openExport(e->objectName, screen.get());
            QVERIFY2(shown, e->objectName);
        }
        const QFileInfo left(path);
        QVERIFY(left.exists() && !left.isFile());
    }

    // Enter moves the way the eye reads the screen: down a column, or on to the right along a
    // row, or across to a column further right; from the last field back to the first.
    void enterFollowsTheReadingOrder_data() { archives_data(); }
    void enterFollowsTheReadingOrder() {
        QFETCH(QString, archive);
        open(archive);
        screen->resize(1366, 700);
        QApplication::processEvents();
        // Where a field stands: the left edge of its group (its column), its top and left.
        auto place = [&](QWidget* w) {
            QWidget* group = w;
            while (group->parentWidget() && !qobject_cast<QGroupBox*>(group) && group->parentWidget() != screen.get())
                group = group->parentWidget();
            const QPoint at = w->mapTo(screen.get(), QPoint(0, 0));
            return std::tuple<int, int, int>{group->mapTo(screen.get(), QPoint(0, 0)).x(), at.y(), at.x()};
        };
        QWidget* first = QApplication::focusWidget();
        QVERIFY(first);
        QWidget* current = first;
        for (int step = 0; step < 100; ++step) {
            QTest::keyClick(current, Qt::Key_Return);
            QWidget* next = QApplication::focusWidget();
            if (!next || next == current || next == first) break;  // a text area takes Enter as a new line
            const auto [fromColumn, fromTop, fromLeft] = place(current);
            const auto [toColumn, toTop, toLeft] = place(next);
            const bool down = toColumn == fromColumn && toTop > fromTop + 2;
            const bool along = toColumn == fromColumn && std::abs(toTop - fromTop) <= 2 && toLeft > fromLeft;
            const bool across = toColumn > fromColumn;
            QVERIFY2(down || along || across,
                     qPrintable(current->objectName() + QStringLiteral(" -> ") + next->objectName()));
            current = next;
        }
    }

    void keyboardReachesEveryCommand_data() { archives_data(); }
    void keyboardReachesEveryCommand() {
        QFETCH(QString, archive);
        open(archive);
        // Each toolbar command has a shortcut, and its tooltip says which.
        for (QToolBar* bar : screen->findChildren<QToolBar*>()) {
            for (QAction* a : bar->actions()) {
                if (a->isSeparator() || !bar->widgetForAction(a) || !qobject_cast<QToolButton*>(bar->widgetForAction(a)))
                    continue;
                QWidget* button = bar->widgetForAction(a);
                QVERIFY2(!a->shortcut().isEmpty(), qPrintable(button->objectName()));
                QVERIFY2(button->toolTip().contains(a->shortcut().toString(QKeySequence::NativeText)),
                         qPrintable(button->objectName()));
            }
        }
        // Tab walks only through named controls, each announced by a name, and comes back to where
        // it started (a control that keeps the focus fails it).
        QWidget* start = QApplication::focusWidget();
        QVERIFY(start);
        bool back = false;
        for (int i = 0; i < 200 && !back; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* w = QApplication::focusWidget();
            QVERIFY(w);
            // An editable drop-down's own line edit stands for the drop-down.
            QWidget* control = qobject_cast<QComboBox*>(w->parentWidget()) ? w->parentWidget() : w;
            QVERIFY2(!control->objectName().isEmpty(), control->metaObject()->className());
            QVERIFY2(!control->accessibleName().isEmpty() || qobject_cast<QAbstractButton*>(control),
                     qPrintable(control->objectName()));
            back = w == start;
        }
        QVERIFY2(back, "Tab never came back to the first field");
        // Escape does what the close box does.
        QSignalSpy closed(screen.get(), &ArchiveScreen::closed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(closed.count(), 1);
        QVERIFY(!screen->isVisible());
    }

    // Another copy of the program changed the record on the screen since it was shown: Save
    // asks before writing anything; Overwrite stores the screen's record, "Mostra scheda in
    // archivio" shows the stored one, Annulla leaves file and screen as they were.
    void overwriteAfterAnotherChangeAsks_data() {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<int>("answer");
        for (const ArchiveModule* m : archiveModules())
            for (int answer : {0, 1, 2})
                QTest::addRow("%s, %s", m->archive->objectName,
                              answer == 0 ? "overwrite" : answer == 1 ? "show stored" : "cancel")
                    << QString::fromLatin1(m->archive->objectName) << answer;
    }
    void overwriteAfterAnotherChangeAsks() {
        QFETCH(QString, archive);
        QFETCH(int, answer);
        open(archive);
        writeRecords(2);
        // Two fields typed as they are stored: one the other copy changes, one this screen changes.
        std::vector<int> plain;
        for (const FieldGroup& g : screen->definition().groups)
            for (const FieldRow& row : g.rows)
                if (row.control == Control::Line && row.typing == Typing::Free &&
                    screen->layout().fields[row.field].capacity >= 20)
                    plain.push_back(row.field);
        QVERIFY(plain.size() >= 2);
        const int theirs = plain[0], ours = plain[1];
        command("cmdAvanti");
        QCOMPARE(position(), QString("1"));
        // Values the checks refuse (the written "<name> 1" where a number or a choice is wanted) made valid.
        for (const SaveCheck& c : screen->definition().checks) {
            const QString text = trimmed(screen->fieldText(c.field));
            if (c.passes ? !c.passes(text) : text.isEmpty()) fill(c.field);
        }
        // Saved with nothing changed in the file meanwhile: no question.
        command("cmdSalva");
        QVERIFY(fakes->dialogs.choices.isEmpty());
        QCOMPARE(lastText(), QString("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
        const QString original = screen->fieldText(ours);
        {
            RecordFile f;
            Record r(screen->layout());
            QVERIFY(f.open(screen->filePath(), screen->layout().size()) && f.read(r));
            r.setText(theirs, QStringLiteral("altra postazione"));
            QVERIFY(f.seek(0) && f.write(r) && f.close());
        }
        const QByteArray changed = file();
        setWidgetText(screen->fieldWidget(ours), QStringLiteral("questa postazione"));
        fakes->dialogs.messages.clear();
        fakes->dialogs.choiceAnswers << answer;
        bool untouchedWhileAsked = false;
        fakes->dialogs.whenChoosing = [&] { untouchedWhileAsked = file() == changed; };
        command("cmdSalva");
        QCOMPARE(fakes->dialogs.choices.size(), 1);
        QCOMPARE(fakes->dialogs.choices[0].text,
                 QString::fromUtf8("Attenzione: dopo essere stata visualizzata, la scheda corrente è stata modificata "
                                   "in archivio da un'altra postazione.\n\r\n\rPremere Sovrascrivi per salvare "
                                   "comunque le proprie modifiche al posto di quelle dell'altra postazione, Mostra "
                                   "scheda in archivio per visualizzare la scheda come è ora in archivio (le proprie "
                                   "modifiche non salvate andranno perse) oppure Annulla per tornare alla scheda senza "
                                   "salvare."));
        QCOMPARE(fakes->dialogs.choices[0].buttons,
                 (QStringList{"Sovrascrivi", "Mostra scheda in archivio", "Annulla"}));
        QVERIFY(untouchedWhileAsked);
        QCOMPARE(position(), QString("1"));
        Record stored(screen->layout());
        stored.bytes() = file().left(screen->layout().size());
        QCOMPARE(file().size(), 2 * qsizetype(screen->layout().size()));
        switch (answer) {
        case 0:
            QCOMPARE(lastText(), QString("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
            QVERIFY(stored.sameValues(screen->recordFromScreen()));
            QCOMPARE(stored.text(ours), QString("questa postazione"));
            break;
        case 1:
            QVERIFY(fakes->dialogs.messages.isEmpty());
            QCOMPARE(file(), changed);
            QCOMPARE(screen->fieldText(theirs), QString("altra postazione"));
            QCOMPARE(screen->fieldText(ours), original);
            break;
        default:
            QVERIFY(fakes->dialogs.messages.isEmpty());
            QCOMPARE(file(), changed);
            QCOMPARE(screen->fieldText(ours), QString("questa postazione"));
            break;
        }
        // Overwritten or shown, the screen now holds the file's record: saving asks no more.
        // Cancelled, it still differs: saving asks again.
        command("cmdSalva");
        QCOMPARE(fakes->dialogs.choices.size(), answer == 2 ? 2 : 1);
    }
};

CAL_WIDGET_TEST_MAIN(TestArchiveProtocol)
#include "tst_archiveprotocol.moc"
