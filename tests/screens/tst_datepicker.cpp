// The date picker: its keyword table, "Importa" and "Annulla", unknown keywords, and the
// picker date fields that accept no typing.
#include "core/DateText.h"
#include "screens/TfrmCalendario.h"
#include "testlib/CalWidgetTest.h"
#include "ui/KeyRules.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <map>

using namespace cal;

namespace {

// Every screen and field the picker can fill.
const std::map<QString, QStringList> kScreens = {
    {"TfrmAltri", {"txtDataPro", "txtDataDes"}},
    {"TfrmProtocollo", {"txtDataReg"}},
    {"TfrmRiepProtocollo", {"txtDataInizio", "txtDataFine"}},
    {"TfrmServizi", {"txtDataRic", "txtDataEsp"}},
    {"TfrmBonificiEmessi", {"txtDataEse", "txtDataAcc"}},
    {"TfrmBonificiRicevuti", {"txtDataEse", "txtDataAcc"}},
};
const QString kUntouched = QStringLiteral("untouched");

void click(QWidget* parent, const char* name) {
    auto* b = parent->findChild<QPushButton*>(name);
    QVERIFY2(b, name);
    QTest::mouseClick(b, Qt::LeftButton);
}

}  // namespace

class TestDatePicker : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::FakeServices> fakes;
    std::vector<std::unique_ptr<QWidget>> windows;

    // Stand-ins for the archive screens: top-level windows with their date fields.
    void openAllScreens() {
        for (const auto& [screen, fields] : kScreens) {
            auto w = std::make_unique<QWidget>();
            w->setObjectName(screen);
            for (const QString& f : fields) {
                auto* e = new QLineEdit(kUntouched, w.get());
                e->setObjectName(f);
            }
            w->show();
            windows.push_back(std::move(w));
        }
    }
    // Every field's text as "screen.field=text".
    QStringList allFields() const {
        QStringList out;
        for (const auto& w : windows)
            for (const QLineEdit* e : w->findChildren<QLineEdit*>())
                out << w->objectName() + '.' + e->objectName() + '=' + e->text();
        return out;
    }

private slots:
    void init() { fakes = std::make_unique<caltest::FakeServices>(); }
    void cleanup() {
        windows.clear();
        fakes.reset();
    }

    void screenElements() {
        TfrmCalendario picker;
        picker.setKeyword("dataric");
        QCOMPARE(picker.objectName(), QString("TfrmCalendario"));
        QCOMPARE(picker.windowTitle(), QString(" Importazione data"));
        QVERIFY(picker.isModal());
        auto* calendar = picker.findChild<QCalendarWidget*>("calAppuntamenti");
        QVERIFY(calendar);
        QCOMPARE(calendar->selectedDate(), QDate::currentDate());
        QCOMPARE(picker.findChild<QPushButton*>("btnImportaData")->text(), QString("Importa"));
        QCOMPARE(picker.findChild<QPushButton*>("btnAnnulla")->text(), QString("Annulla"));
        auto* memory = picker.findChild<QLabel*>("lblMemory");
        QCOMPARE(memory->text(), QString("dataric"));
        picker.show();
        QVERIFY(!memory->isVisible());
        bool prompt = false;
        for (const QLabel* l : picker.findChildren<QLabel*>())
            if (l->text() == QLatin1String("Importare una data:") && l->buddy() == calendar) prompt = true;
        QVERIFY(prompt);
    }

    void importFillsTheNamedField_data() {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("target");
        QTest::newRow("datapro") << "datapro" << "TfrmAltri.txtDataPro";
        QTest::newRow("datades") << "datades" << "TfrmAltri.txtDataDes";
        QTest::newRow("datareg") << "datareg" << "TfrmProtocollo.txtDataReg";
        QTest::newRow("protinizio") << "protinizio" << "TfrmRiepProtocollo.txtDataInizio";
        QTest::newRow("protfine") << "protfine" << "TfrmRiepProtocollo.txtDataFine";
        QTest::newRow("dataric") << "dataric" << "TfrmServizi.txtDataRic";
        QTest::newRow("dataesp") << "dataesp" << "TfrmServizi.txtDataEsp";
        QTest::newRow("bonificiemessi_dataese") << "bonificiemessi_dataese" << "TfrmBonificiEmessi.txtDataEse";
        QTest::newRow("bonificiemessi_dataacc") << "bonificiemessi_dataacc" << "TfrmBonificiEmessi.txtDataAcc";
        QTest::newRow("bonificiricevuti_dataese") << "bonificiricevuti_dataese" << "TfrmBonificiRicevuti.txtDataEse";
        QTest::newRow("bonificiricevuti_dataacc") << "bonificiricevuti_dataacc" << "TfrmBonificiRicevuti.txtDataAcc";
    }
    void importFillsTheNamedField() {
        QFETCH(QString, keyword);
        QFETCH(QString, target);
        openAllScreens();
        QStringList expected = allFields();
        const qsizetype i = expected.indexOf(target + '=' + kUntouched);
        QVERIFY(i >= 0);
        expected[i] = target + "=05/03/2024";

        bool closed = false;
        fakes->screens.handlers << [&](QDialog* d) {
            QCOMPARE(d->findChild<QLabel*>("lblMemory")->text(), keyword);
            d->findChild<QCalendarWidget*>("calAppuntamenti")->setSelectedDate(QDate(2024, 3, 5));
            click(d, "btnImportaData");
            closed = !d->isVisible() && d->result() == QDialog::Accepted;
        };
        openDatePicker(keyword);
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmCalendario"});
        QVERIFY(closed);
        QCOMPARE(allFields(), expected);  // that field only, on that screen only
    }

    void unknownKeywordStaysOpen_data() {
        QTest::addColumn<QString>("keyword");
        QTest::newRow("empty") << "";
        QTest::newRow("case differs") << "DataRic";
        QTest::newRow("blank after") << "dataric ";
        QTest::newRow("other archive's keyword") << "clienti";
        QTest::newRow("screen name") << "TfrmServizi";
    }
    void unknownKeywordStaysOpen() {
        QFETCH(QString, keyword);
        openAllScreens();
        const QStringList before = allFields();
        bool stayedOpen = false;
        fakes->screens.handlers << [&](QDialog* d) {
            click(d, "btnImportaData");
            stayedOpen = d->isVisible();
            click(d, "btnAnnulla");
        };
        openDatePicker(keyword);
        QVERIFY(stayedOpen);
        QCOMPARE(allFields(), before);
    }

    // The field the caller hands over takes the date, not the field the keyword names on an open
    // screen; with an unknown keyword even a handed-over field stays as it is.
    void handedFieldTakesTheDate() {
        openAllScreens();
        const QStringList before = allFields();
        QLineEdit handed(kUntouched);
        for (const char* keyword : {"dataric", "nessuna"}) {
            fakes->screens.handlers << [&](QDialog* d) {
                d->findChild<QCalendarWidget*>("calAppuntamenti")->setSelectedDate(QDate(2024, 3, 5));
                click(d, "btnImportaData");
                if (d->isVisible()) click(d, "btnAnnulla");
            };
            openDatePicker(keyword, &handed);
            QCOMPARE(handed.text(), QString(keyword == std::string_view("dataric") ? "05/03/2024" : kUntouched));
            handed.setText(kUntouched);
        }
        QCOMPARE(allFields(), before);
    }

    // A known keyword whose screen is not open has no field to fill: the picker just closes.
    void knownKeywordWithoutItsScreen() {
        TfrmCalendario picker;
        picker.setKeyword("datareg");
        picker.show();
        click(&picker, "btnImportaData");
        QVERIFY(!picker.isVisible());
        QCOMPARE(picker.result(), int(QDialog::Accepted));
    }

    // Of two windows of one name, the one on screen is the one the user works on.
    void theVisibleScreenWins() {
        openAllScreens();
        QWidget* services = nullptr;
        for (const auto& w : windows)
            if (w->objectName() == "TfrmServizi") services = w.get();
        QVERIFY(services);
        QWidget other;
        other.setObjectName("TfrmServizi");
        auto* second = new QLineEdit(kUntouched, &other);
        second->setObjectName("txtDataRic");
        QCOMPARE(dateTargetField("dataric"), services->findChild<QLineEdit*>("txtDataRic"));
        services->hide();
        other.show();
        QCOMPARE(dateTargetField("dataric"), second);
        QVERIFY(!dateTargetField("nessuna"));
    }

    // --- A picker date field on a screen ------------------------------------------------

    void pickerField_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("opens");
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << "01/02/2023" << false;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << "01/02/2023" << false;
        QTest::newRow("Backspace on empty") << int(Qt::Key_Backspace) << "" << false;
        QTest::newRow("letter") << int(Qt::Key_A) << "01/02/2023" << true;
        QTest::newRow("digit") << int(Qt::Key_5) << "" << true;
        QTest::newRow("Enter") << int(Qt::Key_Return) << "01/02/2023" << true;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << "" << true;
        QTest::newRow("Space") << int(Qt::Key_Space) << "01/02/2023" << true;
        QTest::newRow("Left") << int(Qt::Key_Left) << "01/02/2023" << true;
        QTest::newRow("slash") << int(Qt::Key_Slash) << "" << true;
    }
    // Backspace or Delete empties without opening; any other key opens the picker and is lost.
    void pickerField() {
        QFETCH(int, key);
        QFETCH(QString, before);
        QFETCH(bool, opens);
        QWidget screen;
        screen.setObjectName("TfrmServizi");
        auto* field = new QLineEdit(before, &screen);
        field->setObjectName("txtDataRic");
        pickerDateField(field, [] { openDatePicker("dataric"); });
        screen.show();
        field->setFocus();
        QString keyword;
        fakes->screens.handlers << [&](QDialog* d) {
            keyword = d->findChild<QLabel*>("lblMemory")->text();
            click(d, "btnAnnulla");
        };
        QTest::keyClick(field, Qt::Key(key));
        if (opens) {
            QCOMPARE(fakes->screens.shown, QStringList{"TfrmCalendario"});
            QCOMPARE(keyword, QString("dataric"));
            QCOMPARE(field->text(), before);  // the key is discarded, Annulla changes nothing
        } else {
            QVERIFY(fakes->screens.shown.isEmpty());
            QCOMPARE(field->text(), QString());
        }
    }

    void importWithoutTouchingTheCalendarPutsToday() {
        QWidget screen;
        screen.setObjectName("TfrmServizi");
        auto* field = new QLineEdit(&screen);
        field->setObjectName("txtDataRic");
        pickerDateField(field, [] { openDatePicker("dataric"); });
        screen.show();
        fakes->screens.handlers << [](QDialog* d) { click(d, "btnImportaData"); };
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(field->text(), QDate::currentDate().toString("dd/MM/yyyy"));
        QVERIFY(isValidDateText(field->text()));
    }
};

CAL_WIDGET_TEST_MAIN(TestDatePicker)
#include "tst_datepicker.moc"
