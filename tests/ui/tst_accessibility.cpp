// What assistive technology is told: the walker that lists unnamed controls, unlinked labels and
// read-only fields announced as editable, and the archive screen as the walker and a user see it
// (labels linked to fields with buttons beside them, the position announced with its number,
// short fields as wide as what they hold).
#include "clients/TfrmClienti.h"
#include "core/ProgramFolder.h"
#include "testlib/CalWidgetTest.h"
#include "ui/Accessibility.h"
#include "ui/Regional.h"
#include "ui/StatusHints.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace cal;

namespace {
enum class Case {
    UnnamedButton, NamedButton, UnnamedCheck, CheckWithText, LabelledSibling, LabelElsewhere,
    ReadOnlyLine, ReadOnlyText, ReadOnlyWithoutText, UnnamedEditableCombo,
    ToolbarCommandWithoutKey, ToolbarCommandKeyNotShown, ToolbarCommandWithShownKey, PictureHandingItsFocus, UnnamedScrollArea, NamedScrollArea
};

// A read-only field as the toolkit's own description of it was once replaced: announced as
// read-only, with no text interface to read its text through.
class TextlessField : public QAccessibleWidget {
public:
    explicit TextlessField(QWidget* w) : QAccessibleWidget(w, QAccessible::EditableText) {}
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.editable = false;
        return s;
    }
};
QAccessibleInterface* textlessFactory(const QString&, QObject* object) {
    auto* w = qobject_cast<QWidget*>(object);
    return w && w->objectName() == QLatin1String("senzaTesto") ? new TextlessField(w) : nullptr;
}
}
Q_DECLARE_METATYPE(Case)

class TestAccessibility : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::ProgramFolder> folder;
    std::unique_ptr<caltest::FakeServices> fakes;

    static QAccessibleInterface* iface(QWidget* w) { return QAccessible::queryAccessibleInterface(w); }

private slots:
    void initTestCase() {
        applyRegionalSettings();
        QAccessible::installFactory(textlessFactory);
    }

    void walkerFindsFaults_data() {
        QTest::addColumn<Case>("which");
        QTest::addColumn<QString>("fault");  // empty: none expected
        QTest::newRow("button without text or name") << Case::UnnamedButton << QStringLiteral("senza nome");
        QTest::newRow("button with a name") << Case::NamedButton << QString();
        QTest::newRow("check box without text") << Case::UnnamedCheck << QStringLiteral("senza nome");
        QTest::newRow("check box with its text") << Case::CheckWithText << QString();
        QTest::newRow("field beside its label") << Case::LabelledSibling << QString();
        QTest::newRow("field in a box apart from its label") << Case::LabelElsewhere << QStringLiteral("non collegato");
        QTest::newRow("read-only line") << Case::ReadOnlyLine << QString();
        QTest::newRow("read-only text") << Case::ReadOnlyText << QString();
        QTest::newRow("read-only field whose text cannot be read") << Case::ReadOnlyWithoutText
                                                                   << QStringLiteral("senza testo leggibile");
        QTest::newRow("toolbar command without a key") << Case::ToolbarCommandWithoutKey
                                                       << QStringLiteral("senza tasto");
        QTest::newRow("toolbar command whose key is not shown") << Case::ToolbarCommandKeyNotShown
                                                                << QStringLiteral("non mostrato");
        QTest::newRow("toolbar command with its key shown") << Case::ToolbarCommandWithShownKey << QString();
        QTest::newRow("picture handing its focus to its button") << Case::PictureHandingItsFocus << QString();
        QTest::newRow("scrolling area without a name") << Case::UnnamedScrollArea << QStringLiteral("area senza nome");
        QTest::newRow("scrolling area and its inside named") << Case::NamedScrollArea << QString();
        QTest::newRow("typable drop-down, text part unnamed") << Case::UnnamedEditableCombo << QStringLiteral("senza nome");
    }
    void walkerFindsFaults() {
        QFETCH(Case, which);
        QFETCH(QString, fault);
        QWidget window;
        window.setObjectName(QStringLiteral("finestra"));
        auto* layout = new QVBoxLayout(&window);
        switch (which) {
        case Case::UnnamedButton: layout->addWidget(new QPushButton(&window)); break;
        case Case::NamedButton: {
            auto* b = new QPushButton(&window);
            b->setAccessibleName(QStringLiteral("Apri"));
            layout->addWidget(b);
            break;
        }
        case Case::UnnamedCheck: layout->addWidget(new QCheckBox(&window)); break;
        case Case::CheckWithText: layout->addWidget(new QCheckBox(QStringLiteral("Ricontattare"), &window)); break;
        case Case::LabelledSibling:
        case Case::LabelElsewhere: {
            auto* label = new QLabel(QStringLiteral("Partita IVA:"), &window);
            QWidget* holder = &window;
            if (which == Case::LabelElsewhere) {
                holder = new QWidget(&window);
                new QHBoxLayout(holder);
            }
            auto* edit = new QLineEdit(holder);
            edit->setAccessibleName(QStringLiteral("Partita IVA:"));
            label->setBuddy(edit);
            layout->addWidget(label);
            if (holder != &window) {
                holder->layout()->addWidget(edit);
                layout->addWidget(holder);
            } else {
                layout->addWidget(edit);
            }
            break;
        }
        case Case::ReadOnlyLine:
        case Case::ReadOnlyText: {
            QWidget* field = nullptr;
            if (which == Case::ReadOnlyLine) {
                auto* e = new QLineEdit(QStringLiteral("atto.pdf"), &window);
                e->setReadOnly(true);
                field = e;
            } else {
                auto* e = new QPlainTextEdit(QStringLiteral("testo della guida"), &window);
                e->setReadOnly(true);
                field = e;
            }
            field->setAccessibleName(QStringLiteral("Nome file"));
            layout->addWidget(field);
            break;
        }
        case Case::ReadOnlyWithoutText: {
            auto* e = new QLineEdit(QStringLiteral("atto.pdf"), &window);
            e->setObjectName(QStringLiteral("senzaTesto"));
            e->setReadOnly(true);
            e->setAccessibleName(QStringLiteral("Copia digitale documento:"));
            layout->addWidget(e);
            break;
        }
        case Case::ToolbarCommandWithoutKey:
        case Case::ToolbarCommandKeyNotShown:
        case Case::ToolbarCommandWithShownKey: {
            auto* bar = new QToolBar(&window);
            QAction* a = bar->addAction(QStringLiteral("Esporta"));
            a->setToolTip(QStringLiteral("Esporta l'archivio."));
            bar->widgetForAction(a)->setAccessibleName(QStringLiteral("Esporta"));
            if (which == Case::ToolbarCommandKeyNotShown) a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
            if (which == Case::ToolbarCommandWithShownKey) setCommandShortcut(a, QKeySequence(Qt::CTRL | Qt::Key_E));
            layout->addWidget(bar);
            break;
        }
        case Case::PictureHandingItsFocus: {
            auto* picture = new QToolButton(&window);
            picture->setAccessibleName(QStringLiteral("Clienti"));
            picture->setFocusPolicy(Qt::NoFocus);
            auto* button = new QPushButton(QStringLiteral("Clienti"), &window);
            picture->setFocusProxy(button);
            layout->addWidget(picture);
            layout->addWidget(button);
            break;
        }
        case Case::UnnamedScrollArea:
        case Case::NamedScrollArea: {
            auto* area = new QScrollArea(&window);
            area->setAccessibleName(QStringLiteral("Scheda"));
            if (which == Case::NamedScrollArea) area->viewport()->setAccessibleName(QStringLiteral("Campi"));
            layout->addWidget(area);
            break;
        }
        case Case::UnnamedEditableCombo: {
            auto* c = new QComboBox(&window);
            c->setEditable(true);
            c->setAccessibleName(QStringLiteral("Prov."));
            layout->addWidget(c);
            break;
        }
        }
        window.show();
        const QStringList faults = accessibilityFaults(&window);
        if (fault.isEmpty()) {
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
        } else {
            QCOMPARE(faults.size(), 1);
            QVERIFY2(faults.first().contains(fault), qPrintable(faults.first()));
        }
    }

    // A read-only field is read-only to assistive technology and tells its text as its value; an
    // editable one stays editable.
    void readOnlyFieldsAreAnnounced() {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* fixed = new QLineEdit(QStringLiteral("Cliente_7"), &window);
        fixed->setReadOnly(true);
        auto* typed = new QLineEdit(&window);
        layout->addWidget(fixed);
        layout->addWidget(typed);
        window.show();
        QAccessibleInterface* f = iface(fixed);
        QVERIFY(f);
        QVERIFY(f->state().readOnly);
        QVERIFY(!f->state().editable);
        QCOMPARE(f->text(QAccessible::Value), QStringLiteral("Cliente_7"));
        // Its text is read through the text interface, by range and by word; nothing edits it.
        QAccessibleTextInterface* text = f->textInterface();
        QVERIFY(text);
        QCOMPARE(text->characterCount(), 9);
        QCOMPARE(text->text(0, 9), QStringLiteral("Cliente_7"));
        QCOMPARE(text->text(8, 9), QStringLiteral("7"));
        int start = -1, end = -1;
        QCOMPARE(text->textAtOffset(2, QAccessible::WordBoundary, &start, &end), QStringLiteral("Cliente_7"));
        QVERIFY(!f->editableTextInterface());
        text->setSelection(0, 0, 7);
        QCOMPARE(fixed->selectedText(), QStringLiteral("Cliente"));
        QCOMPARE(text->selectionCount(), 1);
        // A read-only multi-line field the same.
        QPlainTextEdit area(QStringLiteral("prima riga\nseconda"), &window);
        area.setReadOnly(true);
        QAccessibleInterface* a = iface(&area);
        QVERIFY(a && a->textInterface() && !a->editableTextInterface());
        QCOMPARE(a->textInterface()->text(0, a->textInterface()->characterCount()), QStringLiteral("prima riga\nseconda"));
        QCOMPARE(a->textInterface()->textAtOffset(12, QAccessible::LineBoundary, &start, &end),
                 QStringLiteral("seconda"));
        QAccessibleInterface* t = iface(typed);
        QVERIFY(t);
        QVERIFY(t->state().editable);
        QVERIFY(!t->state().readOnly);
    }

    void init() {
        folder = std::make_unique<caltest::ProgramFolder>();
        setProgramFolder(folder->path());
        fakes = std::make_unique<caltest::FakeServices>();
    }
    void cleanup() {
        fakes.reset();
        folder.reset();
    }

    // The client screen, built from its definition: nothing for the walker to list, the labels
    // of fields that have buttons beside them name those fields.
    void archiveScreenHasNoFaults() {
        TfrmClienti screen;
        screen.resize(1400, 900);
        screen.show();
        const QStringList faults = accessibilityFaults(&screen);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
    }
    void labelsNameTheirFields_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("label");
        QTest::newRow("fiscal code, with its check") << QStringLiteral("txtCodFisc") << QStringLiteral("Codice fiscale:");
        QTest::newRow("province drop-down") << QStringLiteral("txtProvRes") << QStringLiteral("Prov.");
        QTest::newRow("sex") << QStringLiteral("txtSesso") << QStringLiteral("Sesso:");
    }
    void labelsNameTheirFields() {
        QFETCH(QString, field);
        QFETCH(QString, label);
        TfrmClienti screen;
        screen.show();
        auto* w = screen.findChild<QWidget*>(field);
        QVERIFY(w);
        QAccessibleInterface* f = iface(w);
        QVERIFY(f);
        QCOMPARE(f->text(QAccessible::Name), label);
        QStringList labels;
        for (const auto& relation : f->relations(QAccessible::Label))
            if (relation.first) labels << relation.first->text(QAccessible::Name);
        QVERIFY2(labels.contains(label), qPrintable(labels.join(u'|')));
    }

    // The position is announced with its number, and as a new record while it is empty.
    void positionIsAnnouncedWithItsNumber() {
        TfrmClienti screen;
        screen.show();
        auto* position = screen.findChild<QLabel*>(QStringLiteral("lblPosizione"));
        QVERIFY(position);
        screen.setPosition(12);
        QCOMPARE(position->text(), QStringLiteral("12"));
        QVERIFY2(iface(position)->text(QAccessible::Name).contains(QStringLiteral("12")),
                 qPrintable(iface(position)->text(QAccessible::Name)));
        screen.setPosition(0);
        QCOMPARE(position->text(), QString());
        QVERIFY(iface(position)->text(QAccessible::Name).contains(QStringLiteral("nuova scheda")));
    }

    // Fields of a few characters are as wide as what they hold, not as the row: the postal code
    // and the province are narrower than the name, the one-letter sex narrower than the code.
    void shortFieldsAreSizedToWhatTheyHold() {
        TfrmClienti screen;
        screen.resize(1400, 900);
        screen.show();
        QApplication::processEvents();
        auto width = [&](const char* name) {
            auto* w = screen.findChild<QWidget*>(QString::fromLatin1(name));
            return w ? w->width() : -1;
        };
        const int name = width("txtCliente");
        QVERIFY(name > 0);
        QVERIFY2(width("txtCapRes") > 0 && width("txtCapRes") * 3 < name,
                 qPrintable(QStringLiteral("CAP %1, nome %2").arg(width("txtCapRes")).arg(name)));
        QVERIFY(width("txtProvRes") > 0 && width("txtProvRes") * 3 < name);
        QVERIFY(width("txtSesso") > 0 && width("txtSesso") < width("txtCodFisc"));
        // Five digits fit in the postal code field.
        auto* cap = screen.findChild<QLineEdit*>(QStringLiteral("txtCapRes"));
        QVERIFY(cap->width() >= cap->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
