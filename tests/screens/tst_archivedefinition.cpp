// The kinds of field, side button, save check and preset an archive definition can ask for, on a
// small archive made for the test: each kind is built, typed into, saved and shown back.
#include "core/ProgramFolder.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "core/DateText.h"
#include "screens/ArchiveScreen.h"
#include "testlib/CalWidgetTest.h"
#include "testlib/ScreenHelpers.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

using namespace cal;
using Kind = Dialogs::Kind;

namespace {

constexpr Field kFields[] = {{"txtTipo", 20}, {"txtLingua", 20}, {"txtImporto", 15}, {"txtGiorni", 3},
                             {"txtData", 10}, {"txtTesto", 12}, {"txtSito", 50}, {"txtConsegna", 10},
                             {"lblFile01", 30}};
constexpr RecordLayout kLayout{"Prova.pro", kFields};
enum { Tipo, Lingua, Importo, Giorni, Data, Testo, Sito, Consegna, File01 };

const ArchiveDefinition kTest{
    .objectName = "TfrmProva",
    .layout = &kLayout,
    .caption = " Prova",
    .keyword = "prova",
    .groups = {{"Prova",
                {{.field = Tipo,
                  .label = "Tipo:",
                  .control = Control::Options,
                  .choices = {{"optEntrata", "Entrata", "E"}, {"optUscita", "Uscita", "U"}}},
                 {.field = Lingua, .label = "Lingua:", .control = Control::List, .items = {"Italiano", "Inglese"}},
                 {Importo, "Importo:", Control::Amount2},
                 {Giorni, "Giorni:", Control::Line, Typing::Digits},
                 {Data, "Data:", Control::Line, Typing::Free, {{Side::Today, "btnOggi", "Inserisce la data di oggi."}}},
                 {Testo, "Testo:", Control::Text},
                 {.field = Sito,
                  .label = "Sito:",
                  .typing = Typing::Trim,
                  .buttons = {{.kind = Side::Web,
                               .objectName = "btnSito",
                               .hint = "Apre il sito.",
                               .blankWarning = "Attenzione: indicare il sito."}}},
                 {.field = Consegna,
                  .label = "Consegna:",
                  .control = Control::PickedDate,
                  .dateKeyword = "consegna",
                  .hint = "Premi un tasto per scegliere la data."}}}},
    .commands = {{Cmd::New, "Nuova."}, {Cmd::Save, "Salva."}, {Cmd::Duplicate, "Duplica."}, {Cmd::Navigation},
                 {Cmd::Exit, "Esci."}},
    .checks = {SaveCheck{Tipo, "Attenzione: per salvare la scheda è necessario indicare il tipo."},
               memberOf(Lingua, {"Italiano", "Inglese"}, "Attenzione: per salvare la scheda è necessario indicare la lingua."),
               numberInRange(Giorni, 0, 365, "Attenzione: per salvare la scheda è necessario indicare i giorni."),
               validDate(Data, "Attenzione: per salvare la scheda è necessario indicare una data valida.")},
    .onClear = {{Importo, Preset::ZeroAmount}, {Data, Preset::Today}, {Sito, Preset::Text, "https://"}},
    .onDuplicate = {{Testo, Preset::Empty}},
    .enterMoves = {{Lingua, Giorni}, {Giorni, Testo}, {Sito, Lingua}},
    .saveFailure = FailureKind::Plain,
};

// An archive whose Save composes a field from another after its checks, and may still refuse.
int composeCalls = 0;
const ArchiveDefinition kComposed{
    .objectName = "TfrmComposta",
    .layout = &kLayout,
    .caption = " Composta",
    .keyword = "composta",
    .groups = {{"Prova", {{Giorni, "Giorni:", Control::Line, Typing::Digits}, {Testo, "Testo:"}}}},
    .commands = {{Cmd::New, "Nuova."}, {Cmd::Save, "Salva."}, {Cmd::Exit, "Esci."}},
    .checks = {required(Giorni, "Attenzione: per salvare la scheda è necessario indicare i giorni.")},
    .beforeSave =
        [](ArchiveScreen& s) {
            ++composeCalls;
            if (s.fieldText(Giorni) == QLatin1String("0")) {
                plainMessage(QStringLiteral("Zero giorni."));
                s.fieldWidget(Testo)->setFocus(Qt::OtherFocusReason);
                return false;
            }
            FieldEditor(s.fieldWidget(Testo)).setText(s.fieldText(Giorni) + QStringLiteral(" giorni"));
            return true;
        },
};

// The colour of a field's inside and of its edge, as drawn.
struct Look {
    QRgb inside;
    QRgb edge;
};
Look lookOf(QWidget* w) {
    const QImage image = w->grab().toImage();
    const int y = image.height() / 2;
    return {image.pixel(image.width() - 6, y), image.pixel(0, y)};
}

}  // namespace

class TestArchiveDefinition : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::ProgramFolder> folder;
    std::unique_ptr<caltest::FakeServices> fakes;
    std::unique_ptr<ArchiveScreen> screen;

    template <typename T = QLineEdit>
    T* field(const char* name) {
        T* w = screen->findChild<T*>(name);
        if (!w) qFatal("no %s", name);
        return w;
    }
    QString lastText() { return caltest::lastText(fakes->dialogs); }
    void save() { QTest::mouseClick(field<QToolButton>("cmdSalva"), Qt::LeftButton); }
    Record stored(int index = 0) {
        Record r(kLayout);
        r.bytes() = caltest::readAll(programFile("Prova.pro")).mid(index * kLayout.size(), kLayout.size());
        return r;
    }

private slots:
    void init() {
        folder = std::make_unique<caltest::ProgramFolder>();
        setProgramFolder(folder->path());
        fakes = std::make_unique<caltest::FakeServices>();
        screen = std::make_unique<ArchiveScreen>(kTest);
        screen->show();
        QApplication::setActiveWindow(screen.get());
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
    }
    void cleanup() {
        screen.reset();
        fakes.reset();
        folder.reset();
    }

    void presetsAndChecksInOrder() {
        QCOMPARE(field("txtImporto")->text(), QString("0,00"));
        QCOMPARE(field("txtData")->text(), todayText());
        QCOMPARE(field<QComboBox>("txtLingua")->currentIndex(), -1);
        QVERIFY(!field<QComboBox>("txtLingua")->isEditable());
        struct Step {
            std::function<void()> fix;  // what makes the previous check pass
            const char* message;
            const char* focus;
        };
        const Step steps[] = {
            // A check that fails on an option group focuses its first option.
            {[] {}, "Attenzione: per salvare la scheda è necessario indicare il tipo.", "optEntrata"},
            {[this] { field<QRadioButton>("optUscita")->click(); },
             "Attenzione: per salvare la scheda è necessario indicare la lingua.", "txtLingua"},
            {[this] {
                 field<QComboBox>("txtLingua")->setCurrentIndex(1);
                 field("txtGiorni")->setText("366");
             },
             "Attenzione: per salvare la scheda è necessario indicare i giorni.", "txtGiorni"},
            {[this] {
                 field("txtGiorni")->setText("30");
                 field("txtData")->setText("31/04/2024");
             },
             "Attenzione: per salvare la scheda è necessario indicare una data valida.", "txtData"},
        };
        for (const Step& s : steps) {
            s.fix();
            save();
            QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Warning);
            QCOMPARE(lastText(), QString::fromUtf8(s.message));
            QCOMPARE(QApplication::focusWidget()->objectName(), QString(s.focus));
        }
        field("txtData")->setText("29/02/2024");
        save();
        QCOMPARE(lastText(), QString::fromUtf8("La scheda corrente è stata inserita in archivio."));
        QCOMPARE(stored().text(Tipo), QString("U"));
        QCOMPARE(stored().text(Lingua), QString("Inglese"));
    }

    void fieldsRoundTrip() {
        field<QRadioButton>("optEntrata")->click();
        field<QComboBox>("txtLingua")->setCurrentIndex(0);
        field("txtGiorni")->setFocus();
        QTest::keyClicks(field("txtGiorni"), "1x2");
        QCOMPARE(field("txtGiorni")->text(), QString("12"));
        field("txtImporto")->setFocus();
        field("txtImporto")->clear();
        QTest::keyClicks(field("txtImporto"), "12,345");
        field("txtGiorni")->setFocus();
        QCOMPARE(field("txtImporto")->text(), QString("12,35"));  // two decimals, half up
        auto* text = field<QPlainTextEdit>("txtTesto");
        text->setPlainText(QString::fromUtf8("Riga è\nseconda riga lunga"));
        // Twelve stored bytes: the line break counts as CR LF.
        QCOMPARE(text->toPlainText(), QString::fromUtf8("Riga è\nseco"));
        save();
        QCOMPARE(stored().rawBytes(Testo), QByteArray("Riga \xE8\r\nseco"));
        QCOMPARE(stored().text(Tipo), QString("E"));
        QCOMPARE(stored().text(Importo), QString("12,35"));

        QTest::mouseClick(field<QToolButton>("cmdNuovo"), Qt::LeftButton);
        QVERIFY(!field<QRadioButton>("optEntrata")->isChecked());
        QVERIFY(!field<QRadioButton>("optUscita")->isChecked());
        QCOMPARE(text->toPlainText(), QString());
        QTest::mouseClick(field<QToolButton>("cmdPrimo"), Qt::LeftButton);
        QVERIFY(field<QRadioButton>("optEntrata")->isChecked());
        QCOMPARE(field<QComboBox>("txtLingua")->currentText(), QString("Italiano"));
        QCOMPARE(text->toPlainText(), QString::fromUtf8("Riga è\nseco"));
        // Duplicate: the preset empties the text and the attachments go; the rest stays.
        QTest::mouseClick(field<QToolButton>("cmdDuplica"), Qt::LeftButton);
        QCOMPARE(text->toPlainText(), QString());
        QVERIFY(field<QRadioButton>("optEntrata")->isChecked());
        QCOMPARE(field("txtImporto")->text(), QString("12,35"));
    }

    void sideButtons() {
        field("txtData")->clear();
        QTest::mouseClick(field<QPushButton>("btnOggi"), Qt::LeftButton);
        QCOMPARE(field("txtData")->text(), todayText());
        // A preset text; a blank address warns and puts the preset back instead of opening.
        QCOMPARE(field("txtSito")->text(), QString("https://"));
        field("txtSito")->setText("   ");
        field("txtGiorni")->setFocus();
        QTest::mouseClick(field<QPushButton>("btnSito"), Qt::LeftButton);
        QCOMPARE(fakes->dialogs.messages.size(), 1);
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Warning);
        QCOMPARE(lastText(), QString("Attenzione: indicare il sito."));
        QCOMPARE(field("txtSito")->text(), QString("https://"));
        QCOMPARE(QApplication::focusWidget(), field("txtSito"));
        QVERIFY(fakes->shell.opened.isEmpty());
        field("txtSito")->setText("https://www.example.org/a?b=1");
        QTest::mouseClick(field<QPushButton>("btnSito"), Qt::LeftButton);
        QCOMPARE(fakes->shell.opened, QStringList{"https://www.example.org/a?b=1"});
        // Reached from the keyboard: Tab stops on it, Enter presses it.
        QCOMPARE(field<QPushButton>("btnOggi")->focusPolicy(), Qt::TabFocus);
        field("txtData")->clear();
        field<QPushButton>("btnOggi")->setFocus();
        QTest::keyClick(field<QPushButton>("btnOggi"), Qt::Key_Return);
        QCOMPARE(field("txtData")->text(), todayText());
    }

    void pickedDateOpensThePickerInsteadOfTyping() {
        // The Enter chain of the rows, not the archive's own moves.
        ArchiveDefinition def = kTest;
        def.enterMoves.clear();
        screen = std::make_unique<ArchiveScreen>(def);
        screen->show();
        QApplication::setActiveWindow(screen.get());
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        auto* date = field("txtConsegna");
        // Enter reaches the date from the field before it; in the date it opens the picker.
        field("txtSito")->setFocus();
        QTest::keyClick(field("txtSito"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), date);
        QStringList keywords;
        auto record = [&](QDialog* d) { keywords << d->findChild<QLabel*>("lblMemory")->text(); };
        fakes->screens.handlers << record << record;
        QTest::keyClick(date, Qt::Key_Return);
        QTest::keyClick(date, Qt::Key_A);
        QCOMPARE(fakes->screens.shown, (QStringList{"TfrmCalendario", "TfrmCalendario"}));
        QCOMPARE(keywords, (QStringList{"consegna", "consegna"}));
        QCOMPARE(date->text(), QString());
        QCOMPARE(screen->focusWidget(), date);  // the focus stays in the date
        QApplication::setActiveWindow(screen.get());
        // Backspace and Delete empty it without the picker; Tab leaves it.
        for (Qt::Key key : {Qt::Key_Backspace, Qt::Key_Delete}) {
            date->setText("01/02/2024");
            QTest::keyClick(date, key);
            QCOMPARE(date->text(), QString());
        }
        QTest::keyClick(date, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != date);
        QCOMPARE(fakes->screens.shown.size(), 2);
        screen.reset();  // before `def` goes
    }

    void focusedFieldIsMarkedAsTheArchiveAsks_data() {
        QTest::addColumn<int>("look");
        QTest::newRow("frame") << int(FocusLook::Frame);
        QTest::newRow("background") << int(FocusLook::Background);
    }
    void focusedFieldIsMarkedAsTheArchiveAsks() {
        QFETCH(int, look);
        ArchiveDefinition def = kTest;
        def.focusLook = FocusLook(look);
        screen = std::make_unique<ArchiveScreen>(def);
        screen->show();
        QApplication::setActiveWindow(screen.get());
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        QLineEdit* edit = field("txtGiorni");
        field("txtSito")->setFocus();
        const Look before = lookOf(edit);
        edit->setFocus();
        QVERIFY(edit->hasFocus());
        const Look focused = lookOf(edit);
        if (FocusLook(look) == FocusLook::Background) {
            QVERIFY(focused.inside != before.inside);
        } else {
            QCOMPARE(focused.inside, before.inside);
            QVERIFY(focused.edge != before.edge);
        }
        // Losing the focus takes the mark away.
        field("txtSito")->setFocus();
        const Look after = lookOf(edit);
        QCOMPARE(after.inside, before.inside);
        QCOMPARE(after.edge, before.edge);
        screen.reset();  // before `def` goes
    }

    void duplicateAccessFailureHasTheArchivesKind_data() {
        QTest::addColumn<int>("kind");
        QTest::newRow("error") << int(FailureKind::Error);
        QTest::newRow("warning") << int(FailureKind::Warning);
    }
    void duplicateAccessFailureHasTheArchivesKind() {
        QFETCH(int, kind);
        ArchiveDefinition def = kTest;
        def.duplicateFailure = FailureKind(kind);
        def.saveFailure = FailureKind::Error;
        screen = std::make_unique<ArchiveScreen>(def);
        screen->show();
        field<QRadioButton>("optEntrata")->click();
        field<QComboBox>("txtLingua")->setCurrentIndex(0);
        field("txtGiorni")->setText("30");
        save();
        QCOMPARE(screen->position(), QString("1"));
        {
            CAL_READ_ONLY(guard, programFile("Prova.pro"));
            fakes->dialogs.messages.clear();
            QTest::mouseClick(field<QToolButton>("cmdDuplica"), Qt::LeftButton);
            QCOMPARE(fakes->dialogs.messages.size(), 1);
            QCOMPARE(fakes->dialogs.messages.last().kind, FailureKind(kind) == FailureKind::Warning ? Kind::Warning
                                                                                                    : Kind::Error);
            QVERIFY(lastText().startsWith("Attenzione: il sistema non permette di accedere all'archivio."));
            // Navigation and Save keep the error kind.
            field<QRadioButton>("optEntrata")->click();
            save();
            QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Error);
        }
        screen.reset();
    }

    // Duplicate puts the focus into the field the archive names (the field each copy must change),
    // or into the first field when it names none.
    void duplicateFocusesTheArchivesField_data() {
        QTest::addColumn<int>("target");
        QTest::addColumn<QString>("focused");
        QTest::newRow("none named") << -1 << "txtLingua";
        QTest::newRow("named") << int(Sito) << "txtSito";
    }
    void duplicateFocusesTheArchivesField() {
        QFETCH(int, target);
        QFETCH(QString, focused);
        ArchiveDefinition def = kTest;
        def.duplicateFocus = target;
        screen = std::make_unique<ArchiveScreen>(def);
        screen->show();
        QApplication::setActiveWindow(screen.get());
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        field<QRadioButton>("optEntrata")->click();
        field<QComboBox>("txtLingua")->setCurrentIndex(0);
        field("txtGiorni")->setText("30");
        save();
        QCOMPARE(screen->position(), QString("1"));
        field("txtGiorni")->setFocus();
        QTest::mouseClick(field<QToolButton>("cmdDuplica"), Qt::LeftButton);
        QCOMPARE(screen->position(), QString());
        QCOMPARE(QApplication::focusWidget()->objectName(), focused);
        screen.reset();
    }

    // Given Enter moves: each `from` goes to its `to`; any other field keeps its Enter, and the
    // multi-line text starts a new line. Tab leaves the text instead of typing a tab.
    void enterMovesAndTheText() {
        const auto enterIn = [](QWidget* w) {
            w->setFocus();
            QTest::keyClick(w, Qt::Key_Return);
            return QApplication::focusWidget();
        };
        auto* text = field<QPlainTextEdit>("txtTesto");
        QCOMPARE(enterIn(field<QComboBox>("txtLingua")), field("txtGiorni"));
        QCOMPARE(enterIn(field("txtGiorni")), text);
        QCOMPARE(enterIn(field("txtSito")), field<QComboBox>("txtLingua"));
        QCOMPARE(enterIn(field("txtImporto")), field("txtImporto"));
        text->clear();
        text->setFocus();
        QTest::keyClicks(text, "a");
        QTest::keyClick(text, Qt::Key_Return);
        QTest::keyClicks(text, "b");
        QCOMPARE(text->toPlainText(), QString("a\nb"));
        QTest::keyClick(text, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != text);
        QCOMPARE(text->toPlainText(), QString("a\nb"));
    }

    // A fixed drop-down takes its value only from its list: typed letters and the arrows up and
    // down change nothing, Backspace and Delete empty it.
    void fixedListTakesNoTyping() {
        auto* lingua = field<QComboBox>("txtLingua");
        lingua->setFocus();
        lingua->setCurrentIndex(1);
        for (int key : {int(Qt::Key_I), int(Qt::Key_A), int(Qt::Key_1), int(Qt::Key_Up), int(Qt::Key_Down),
                        int(Qt::Key_Home), int(Qt::Key_PageUp), int(Qt::Key_Space)}) {
            QTest::keyClick(lingua, Qt::Key(key));
            QCOMPARE(lingua->currentText(), QString("Inglese"));
        }
        QTest::keyClick(lingua, Qt::Key_Backspace);
        QCOMPARE(lingua->currentIndex(), -1);
        QCOMPARE(lingua->currentText(), QString());
        lingua->setCurrentIndex(0);
        QTest::keyClick(lingua, Qt::Key_Delete);
        QCOMPARE(lingua->currentIndex(), -1);
        // Enter still moves on as the archive says.
        QTest::keyClick(lingua, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), field("txtGiorni"));
    }

    // The step after the checks runs only once they pass; it can refuse, with its own message and
    // focus, and nothing is written; what it composes is what is stored.
    void beforeSaveComposesAfterTheChecks() {
        screen = std::make_unique<ArchiveScreen>(kComposed);
        screen->show();
        QApplication::setActiveWindow(screen.get());
        composeCalls = 0;
        save();
        QCOMPARE(lastText(), QString::fromUtf8("Attenzione: per salvare la scheda è necessario indicare i giorni."));
        QCOMPARE(composeCalls, 0);
        field("txtGiorni")->setText("0");
        save();
        QCOMPARE(composeCalls, 1);
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Plain);
        QCOMPARE(lastText(), QString("Zero giorni."));
        QCOMPARE(QApplication::focusWidget(), screen->fieldWidget(Testo));
        QVERIFY(!QFile::exists(programFile("Prova.pro")));
        QCOMPARE(screen->position(), QString());
        field("txtGiorni")->setText("7");
        save();
        QCOMPARE(lastText(), QString::fromUtf8("La scheda corrente è stata inserita in archivio."));
        QCOMPARE(stored().text(Testo), QString("7 giorni"));
    }

    // Save of an archive that says so shows a failure to reach the file as a plain message; the
    // moves still show it as an error.
    void plainSaveFailure() {
        CAL_READ_ONLY(guard, folder->path());
        field<QRadioButton>("optEntrata")->click();
        field<QComboBox>("txtLingua")->setCurrentIndex(0);
        field("txtGiorni")->setText("1");
        save();
        QCOMPARE(fakes->dialogs.messages.size(), 1);
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Plain);
        QVERIFY(lastText().startsWith("Attenzione: il sistema non permette di accedere all'archivio."));
        QTest::mouseClick(field<QToolButton>("cmdPrimo"), Qt::LeftButton);
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Error);
    }

    void saveLeavesTheEditedFieldFirst_data() {
        QTest::addColumn<bool>("leaves");
        QTest::newRow("asked for") << true;
        QTest::newRow("not asked for") << false;
    }
    void saveLeavesTheEditedFieldFirst() {
        // The amount is still being typed when Save is pressed: normalised before it is stored
        // when the archive asks for it, stored as typed otherwise.
        QFETCH(bool, leaves);
        ArchiveDefinition def = kTest;
        def.saveLeavesField = leaves;
        screen.reset();
        screen = std::make_unique<ArchiveScreen>(def);
        screen->show();
        QApplication::setActiveWindow(screen.get());
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        field<QRadioButton>("optEntrata")->click();
        field<QComboBox>("txtLingua")->setCurrentIndex(0);
        field("txtGiorni")->setText("5");
        field("txtImporto")->setFocus();
        QVERIFY(field("txtImporto")->hasFocus());
        field("txtImporto")->selectAll();
        QTest::keyClicks(field("txtImporto"), "12,345");
        QCOMPARE(field("txtImporto")->text(), QString("12,345"));
        save();
        QCOMPARE(lastText(), QString::fromUtf8("La scheda corrente è stata inserita in archivio."));
        const QString expected = leaves ? "12,35" : "12,345";
        QCOMPARE(field("txtImporto")->text(), expected);
        QCOMPARE(stored().text(Importo), expected);
    }

    void keptFieldsOutliveNewAndAreStoredOnClosing_data() {
        QTest::addColumn<bool>("storeWorks");
        QTest::newRow("stored") << true;
        QTest::newRow("store fails") << false;
    }
    void keptFieldsOutliveNewAndAreStoredOnClosing() {
        QFETCH(bool, storeWorks);
        QStringList kept{"Alfa", "Beta"};
        QStringList stored;
        std::optional<QStringList> storedAsRead;
        ArchiveDefinition def = kTest;
        def.kept = {.fields = {Testo, Sito},
                    .load = [&]() -> std::optional<QStringList> { return kept; },
                    .store =
                        [&](const QStringList& values, const std::optional<QStringList>& asRead) {
                            stored = values;
                            storedAsRead = asRead;
                            return storeWorks;
                        },
                    .storeFailure = "Attenzione: impostazioni non salvate."};
        screen.reset();
        screen = std::make_unique<ArchiveScreen>(def);
        screen->show();
        // Shown: the kept fields hold what was loaded, the others are cleared as always.
        QCOMPARE(field<QPlainTextEdit>("txtTesto")->toPlainText(), QString("Alfa"));
        QCOMPARE(field("txtSito")->text(), QString("Beta"));
        QCOMPARE(field("txtImporto")->text(), QString("0,00"));
        field<QPlainTextEdit>("txtTesto")->setPlainText(" Gamma  ");
        field("txtSito")->setText("www.esempio.it");
        field("txtGiorni")->setText("7");
        QTest::mouseClick(field<QToolButton>("cmdNuovo"), Qt::LeftButton);
        QCOMPARE(field<QPlainTextEdit>("txtTesto")->toPlainText(), QString(" Gamma  "));
        QCOMPARE(field("txtSito")->text(), QString("www.esempio.it"));
        QCOMPARE(field("txtGiorni")->text(), QString());
        fakes->dialogs.messages.clear();
        screen->close();
        QCOMPARE(stored, (QStringList{"Gamma", "www.esempio.it"}));
        // With what was loaded, so that only what the user changed is written.
        QCOMPARE(storedAsRead, std::optional<QStringList>(QStringList{"Alfa", "Beta"}));
        if (storeWorks) {
            QVERIFY(fakes->dialogs.messages.isEmpty());
        } else {
            QCOMPARE(fakes->dialogs.messages.size(), 1);
            QCOMPARE(fakes->dialogs.messages[0].kind, Kind::Error);
            QCOMPARE(lastText(), QString("Attenzione: impostazioni non salvate."));
        }
        // Shown again: loaded again; nothing loaded opens them empty.
        kept = QStringList{"Delta"};
        screen->show();
        QCOMPARE(field<QPlainTextEdit>("txtTesto")->toPlainText(), QString("Delta"));
        QCOMPARE(field("txtSito")->text(), QString());
    }
};

CAL_WIDGET_TEST_MAIN(TestArchiveDefinition)
#include "tst_archivedefinition.moc"
