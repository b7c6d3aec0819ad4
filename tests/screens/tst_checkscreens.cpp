// The four identifier check screens: their look, typing rules, messages and closing rules, the
// functions that open them, the fiscal code button, and the client screen's check buttons.
#include "screens/CheckScreens.h"
#include "screens/TfrmCarta.h"
#include "screens/TfrmCodFisc.h"
#include "screens/TfrmIban.h"
#include "screens/TfrmPartitaIva.h"
#include "clients/TfrmClienti.h"
#include "core/ProgramFolder.h"
#include "testlib/CalWidgetTest.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

using namespace cal;
using Kind = Dialogs::Kind;

Q_DECLARE_METATYPE(cal::Dialogs::Kind)

namespace {

// The messages, written out here as the user reads them.
const QString kFcLength = QString::fromUtf8("Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.");
const QString kFcValid = QString::fromUtf8("Il codice fiscale digitato è VALIDO.");
const QString kFcWrong = QString::fromUtf8("Attenzione: il codice fiscale digitato è ERRATO.");
const QString kVatLength = QString::fromUtf8("Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.");
const QString kVatWrong = QString::fromUtf8(
    "Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
    "Non è quindi possibile fornire informazioni relative all'Ufficio IVA che lo ha rilasciato.");
QString vatValid(const QString& office) {
    return QString::fromUtf8("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                             "E' stato rilasciato dall'Ufficio IVA del Comune di ") +
           office + '.';
}
QString vatValidUnknownOffice(const QString& code) {
    return QString::fromUtf8("Il numero di partita IVA digitato risulta VALIDO.\r\n\r\nIl codice ") + code +
           QString::fromUtf8(" dell'Ufficio IVA che lo ha rilasciato non corrisponde a nessun ufficio conosciuto.");
}
const QString kIbanLength = QString::fromUtf8("Attenzione: l'IBAN deve essere composto da 27 caratteri alfanumerici.");
const QString kIbanValid = QString::fromUtf8("L'IBAN digitato è VALIDO.");
const QString kIbanWrong = QString::fromUtf8("Attenzione: l'IBAN digitato è ERRATO!");
const QString kCardEmpty = QString::fromUtf8(
    "Attenzione: immettere il numero di carta di credito prima di premere il pulsante di controllo.");
const QString kCardWrong = QString::fromUtf8(
    "Attenzione: il numero digitato risulta ERRATO!\r\n\r\n"
    "Non è quindi possibile fornire informazioni relative al tipo di carta di credito.");
QString cardValid(const QString& number, const QString& kind) {
    return "Il numero di carta di credito " + number + " risulta valido.\r\n\r\n" +
           QString::fromUtf8("La carta di credito è del tipo ") + kind + '.';
}
QString cardValidNoKind(const QString& number) { return "Il numero di carta di credito " + number + " risulta valido."; }

std::unique_ptr<CheckScreen> makeScreen(const QString& name) {
    if (name == "TfrmCodFisc") return std::make_unique<TfrmCodFisc>();
    if (name == "TfrmPartitaIva") return std::make_unique<TfrmPartitaIva>();
    if (name == "TfrmIban") return std::make_unique<TfrmIban>();
    if (name == "TfrmCarta") return std::make_unique<TfrmCarta>();
    qFatal("no screen %s", qPrintable(name));
}

// Types as the user does; QTest types only ASCII, the rest is inserted as typing would.
void typeInto(QLineEdit* e, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 128) QTest::keyClicks(e, QString(c));
        else e->insert(QString(c));
    }
}

}  // namespace

class TestCheckScreens : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::FakeServices> fakes;
    std::unique_ptr<CheckScreen> screen;

    // A screen as a caller opens it: the caller's text in the field, shown and active.
    void open(const QString& name, const QString& callerText = {}) {
        screen = makeScreen(name);
        screen->setFieldText(callerText);
        screen->show();
        QApplication::setActiveWindow(screen.get());
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
    }
    template <typename T = QWidget>
    static T* child(QWidget* parent, const char* name) {
        T* w = parent->findChild<T*>(name);
        if (!w) qFatal("no widget %s", name);
        return w;
    }
    QPushButton* button(const char* name) { return child<QPushButton>(screen.get(), name); }

private slots:
    void init() { fakes = std::make_unique<caltest::FakeServices>(); }
    void cleanup() {
        screen.reset();
        fakes.reset();
    }

    // ---- What every check screen shares ----------------------------------------------------

    void shape_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<int>("maxLength");
        QTest::newRow("fiscal code") << "TfrmCodFisc" << " Controllo codice fiscale"
                                     << "Immettere il codice fiscale e premere il pulsante di controllo."
                                     << "txtCodFisc" << 16;
        QTest::newRow("VAT number") << "TfrmPartitaIva" << " Controllo partita IVA"
                                    << "Immettere il numero di partita IVA e premere il pulsante di controllo."
                                    << "txtPartitaIva" << 11;
        QTest::newRow("IBAN") << "TfrmIban" << " Controllo IBAN"
                              << "Immettere l'IBAN e premere il pulsante di controllo." << "txtIban" << 27;
        QTest::newRow("card") << "TfrmCarta" << " Controllo carta di credito"
                              << "Immettere il numero di carta di credito e premere il pulsante di controllo."
                              << "txtNumero" << 30;
    }
    void shape() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, title);
        QFETCH(QString, fieldName);
        QFETCH(int, maxLength);
        open(name);
        QCOMPARE(screen->objectName(), name);
        QCOMPARE(screen->windowTitle(), caption);
        QVERIFY(screen->isModal());
        auto* lblTitolo = child<QLabel>(screen.get(), "lblTitolo");
        QCOMPARE(lblTitolo->text(), title);
        auto* field = child<QLineEdit>(screen.get(), qPrintable(fieldName));
        QCOMPARE(screen->field(), field);
        QCOMPARE(lblTitolo->buddy(), field);
        QVERIFY(!field->accessibleName().isEmpty());
        QCOMPARE(button("btnControlla")->text(), QString("Controlla"));
        QCOMPARE(button("btnChiudi")->text(), QString("Chiudi"));
        // The field has the focus when the screen is shown.
        QCOMPARE(QApplication::focusWidget(), field);
        // No close, minimise or help button in the caption; the size cannot change.
        QVERIFY(screen->windowFlags() & Qt::CustomizeWindowHint);
        QVERIFY(!(screen->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint |
                                            Qt::WindowContextHelpButtonHint)));
        QCOMPARE(screen->minimumSize(), screen->maximumSize());
        // Centred on the screen.
        const QPoint offset = screen->frameGeometry().center() - screen->screen()->availableGeometry().center();
        QVERIFY2(offset.manhattanLength() <= 2, qPrintable(QString("off by %1, %2").arg(offset.x()).arg(offset.y())));

        // Typing stops at the field's length; digits are accepted by every field.
        typeInto(field, QString(maxLength + 5, u'1'));
        QCOMPARE(field->text(), QString(maxLength, u'1'));
    }

    void enterMovesTheFocusToControlla_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("fiscal code") << "TfrmCodFisc" << "RSSMRA85T10A562S";
        QTest::newRow("VAT number") << "TfrmPartitaIva" << "01234560587";
        QTest::newRow("IBAN") << "TfrmIban" << "IT60X0542811101000000123456";
        QTest::newRow("card") << "TfrmCarta" << "4111111111111111";
    }
    void enterMovesTheFocusToControlla() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        open(name, text);
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            screen->field()->setFocus();
            QTest::keyClick(screen->field(), key);
            QCOMPARE(QApplication::focusWidget(), button("btnControlla"));
            QVERIFY(fakes->dialogs.messages.isEmpty());  // the check did not run
            QVERIFY(screen->isVisible());
            QCOMPARE(screen->field()->text(), text);
        }
        // Enter on the focused button runs the check.
        QTest::keyClick(button("btnControlla"), Qt::Key_Return);
        QCOMPARE(fakes->dialogs.messages.size(), 1);
        QVERIFY(!screen->isVisible());
    }

    void chiudiClosesWithoutAMessage_data() { enterMovesTheFocusToControlla_data(); }
    void chiudiClosesWithoutAMessage() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        open(name, text);
        QTest::mouseClick(button("btnChiudi"), Qt::LeftButton);
        QVERIFY(!screen->isVisible());
        QCOMPARE(screen->result(), int(QDialog::Rejected));
        QVERIFY(fakes->dialogs.messages.isEmpty());
    }

    // ---- Verdicts: message, kind and whether the screen closes ---------------------------

    void verdict_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caller");  // put in by the caller
        QTest::addColumn<QString>("typed");   // then typed by the user
        QTest::addColumn<QString>("shown");   // what the field shows before the check
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("closes");
        const auto row = [](const char* tag, const char* name, const QString& caller, const QString& typed,
                            const QString& shown, Kind kind, const QString& message, bool closes) {
            QTest::newRow(tag) << QString(name) << caller << typed << shown << kind << message << closes;
        };
        const Kind info = Kind::Information;
        const Kind warn = Kind::Warning;

        // Fiscal code.
        const char* fc = "TfrmCodFisc";
        row("fc: published code, typed", fc, "", "RSSMRA85T10A562S", "RSSMRA85T10A562S", info, kFcValid, true);
        row("fc: published code, passed in", fc, "MRTMTT25D09F205Z", "", "MRTMTT25D09F205Z", info, kFcValid, true);
        row("fc: woman, day plus 40", fc, "BNCGLI90A41L219W", "", "BNCGLI90A41L219W", info, kFcValid, true);
        row("fc: typed in lower case", fc, "", "rssmra85t10a562s", "RSSMRA85T10A562S", info, kFcValid, true);
        row("fc: passed in lower case", fc, "mrtmtt25d09f205z", "", "MRTMTT25D09F205Z", info, kFcValid, true);
        row("fc: blanks typed around", fc, "", "  RSSMRA85T10A562S  ", "RSSMRA85T10A562S", info, kFcValid, true);
        row("fc: date digit substituted, check recomputed", fc, "RSSMRA85TM0A562D", "", "RSSMRA85TM0A562D", info,
            kFcValid, true);
        row("fc: all digits substituted", fc, "RSSMRAURTMLARSNL", "", "RSSMRAURTMLARSNL", info, kFcValid, true);
        row("fc: substitute letter, check not recomputed", fc, "RSSMRA85T10A56NS", "", "RSSMRA85T10A56NS", warn,
            kFcWrong, true);
        row("fc: last letter changed", fc, "RSSMRA85T10A562T", "", "RSSMRA85T10A562T", warn, kFcWrong, true);
        row("fc: two digits swapped", fc, "RSSMRA85T01A562S", "", "RSSMRA85T01A562S", warn, kFcWrong, true);
        row("fc: blank inside", fc, "RSSMRA85T10 562S", "", "RSSMRA85T10 562S", warn, kFcWrong, true);
        row("fc: hyphen inside", fc, "RSSMRA85T10-562S", "", "RSSMRA85T10-562S", warn, kFcWrong, true);
        row("fc: colon with a matching check character", fc, "RSSMRA85T10A56:N", "", "RSSMRA85T10A56:N", warn,
            kFcWrong, true);
        row("fc: accented letter", fc, QString::fromUtf8("RSSMRÈ85T10A562S"), "", QString::fromUtf8("RSSMRÈ85T10A562S"),
            warn, kFcWrong, true);
        row("fc: accented small letter stays small", fc, QString::fromUtf8("RSSMRA85T10A562à"), "",
            QString::fromUtf8("RSSMRA85T10A562à"), warn, kFcWrong, true);
        row("fc: 15 characters", fc, "", "RSSMRA85T10A562", "RSSMRA85T10A562", warn, kFcLength, false);
        // A longer text passed in is judged whole: its first 16 characters are a valid code.
        row("fc: 17 characters passed in", fc, "RSSMRA85T10A562SX", "", "RSSMRA85T10A562SX", warn, kFcLength, false);
        row("fc: empty", fc, "", "", "", warn, kFcLength, false);
        row("fc: eleven digits", fc, "01234560587", "", "01234560587", warn, kFcLength, false);

        // VAT number.
        const char* vat = "TfrmPartitaIva";
        row("vat: Roma 1, typed", vat, "", "01234560587", "01234560587", info, vatValid("Roma 1"), true);
        row("vat: Milano 1", vat, "00743110157", "", "00743110157", info, vatValid("Milano 1"), true);
        row("vat: Torino", vat, "00488410010", "", "00488410010", info, vatValid("Torino"), true);
        row("vat: 120 is Bologna 2", vat, "01234561205", "", "01234561205", info, vatValid("Bologna 2"), true);
        row("vat: 121 is Napoli 2", vat, "01234561213", "", "01234561213", info, vatValid("Napoli 2"), true);
        row("vat: accented office name", vat, "01234560405", "", "01234560405", info,
            vatValid(QString::fromUtf8("Forlì")), true);
        row("vat: office 000, eleven zeros", vat, "00000000000", "", "00000000000", info, vatValidUnknownOffice("000"),
            true);
        row("vat: office 103", vat, "01234561031", "", "01234561031", info, vatValidUnknownOffice("103"), true);
        row("vat: office 999", vat, "01234569992", "", "01234569992", info, vatValidUnknownOffice("999"), true);
        row("vat: check digit wrong", vat, "12345678904", "", "12345678904", warn, kVatWrong, true);
        row("vat: two neighbours swapped", vat, "00743101157", "", "00743101157", warn, kVatWrong, true);
        row("vat: letter passed in", vat, "1234567A903", "", "1234567A903", warn, kVatWrong, true);
        row("vat: lower-case letter passed in", vat, "1234567890x", "", "1234567890x", warn, kVatWrong, true);
        row("vat: blank passed in", vat, "1234567 903", "", "1234567 903", warn, kVatWrong, true);
        row("vat: ten digits", vat, "", "0123456058", "0123456058", warn, kVatLength, false);
        row("vat: twelve digits passed in", vat, "012345605870", "", "012345605870", warn, kVatLength, false);
        row("vat: empty", vat, "", "", "", warn, kVatLength, false);
        // Letters and blanks typed never reach the field.
        row("vat: letters typed among digits", vat, "", "0123a4560 58x7", "01234560587", info, vatValid("Roma 1"),
            true);

        // IBAN.
        const char* iban = "TfrmIban";
        row("iban: typed", iban, "", "IT60X0542811101000000123456", "IT60X0542811101000000123456", info, kIbanValid,
            true);
        row("iban: typed in lower case", iban, "", "it60x0542811101000000123456", "IT60X0542811101000000123456", info,
            kIbanValid, true);
        row("iban: San Marino", iban, "SM86U0322509800000000270100", "", "SM86U0322509800000000270100", info,
            kIbanValid, true);
        row("iban: France", iban, "FR1420041010050500013M02606", "", "FR1420041010050500013M02606", info, kIbanValid,
            true);
        row("iban: two digits swapped", iban, "IT60X0542811101000000123465", "", "IT60X0542811101000000123465", warn,
            kIbanWrong, true);
        row("iban: check digits swapped", iban, "IT06X0542811101000000123456", "", "IT06X0542811101000000123456", warn,
            kIbanWrong, true);
        // 27 characters with one blank: the remaining 26 are a valid Icelandic IBAN.
        row("iban: one blank inside", iban, "IS14 0159260076545510730339", "", "IS14 0159260076545510730339", info,
            kIbanValid, true);
        row("iban: hyphen inside", iban, "IT60-X054281110100000012345", "", "IT60-X054281110100000012345", warn,
            kIbanWrong, true);
        row("iban: hyphen typed", iban, "", "IT60-X054281110100000012345", "IT60-X054281110100000012345", warn,
            kIbanWrong, true);
        row("iban: groups of four passed in", iban, "IT60 X054 2811 1010 0000 0123 456", "",
            "IT60 X054 2811 1010 0000 0123 456", warn, kIbanLength, false);
        // Typed blanks are trimmed away as they reach the end of the text.
        row("iban: groups of four typed", iban, "", "IT60 X054 2811 1010 0000 0123 456", "IT60X0542811101000000123456",
            info, kIbanValid, true);
        row("iban: 22 characters", iban, "", "DE89370400440532013000", "DE89370400440532013000", warn, kIbanLength,
            false);
        row("iban: empty", iban, "", "", "", warn, kIbanLength, false);

        // Payment card.
        const char* card = "TfrmCarta";
        const QString diners = QStringLiteral("Diner's Club / Carte Blanche");
        row("card: Visa, typed", card, "", "4111111111111111", "4111111111111111", info,
            cardValid("4111111111111111", "Visa"), true);
        row("card: Visa, last digit changed", card, "", "4111111111111112", "4111111111111112", warn, kCardWrong, true);
        row("card: Visa 13 digits", card, "4222222222222", "", "4222222222222", info, cardValid("4222222222222", "Visa"),
            true);
        row("card: two digits 42", card, "", "42", "42", info, cardValid("42", "Visa"), true);
        row("card: American Express 37", card, "378282246310005", "", "378282246310005", info,
            cardValid("378282246310005", "American Express"), true);
        row("card: JCB 35", card, "3530111333300000", "", "3530111333300000", info,
            cardValid("3530111333300000", "JCB"), true);
        row("card: Diners 36", card, "36227206271667", "", "36227206271667", info, cardValid("36227206271667", diners),
            true);
        row("card: Diners 30", card, "30569309025904", "", "30569309025904", info, cardValid("30569309025904", diners),
            true);
        row("card: Diners 38", card, "38520000023237", "", "38520000023237", info, cardValid("38520000023237", diners),
            true);
        row("card: MasterCard 55", card, "5555555555554444", "", "5555555555554444", info,
            cardValid("5555555555554444", "MasterCard"), true);
        row("card: Discover", card, "6011111111111117", "", "6011111111111117", info,
            cardValid("6011111111111117", "Discover"), true);
        // The number repeats the field's text, blanks included.
        row("card: groups passed in", card, "4111 1111 1111 1111", "", "4111 1111 1111 1111", info,
            cardValid("4111 1111 1111 1111", "Visa"), true);
        row("card: valid 39, no kind", card, "3900000000000005", "", "3900000000000005", info,
            cardValidNoKind("3900000000000005"), true);
        row("card: valid 32, no kind", card, "3200000000000002", "", "3200000000000002", info,
            cardValidNoKind("3200000000000002"), true);
        // MasterCard's range 2221 to 2720; other numbers beginning with 2 stay wrong.
        row("card: MasterCard 2223", card, "2223003122003222", "", "2223003122003222", info,
            cardValid("2223003122003222", "MasterCard"), true);
        row("card: MasterCard 2221, first of the range", card, "2221000000000009", "", "2221000000000009", info,
            cardValid("2221000000000009", "MasterCard"), true);
        row("card: MasterCard 2720, last of the range", card, "2720000000000005", "", "2720000000000005", info,
            cardValid("2720000000000005", "MasterCard"), true);
        row("card: MasterCard range in groups", card, "2223 0031 2200 3222", "", "2223 0031 2200 3222", info,
            cardValid("2223 0031 2200 3222", "MasterCard"), true);
        row("card: 2221 range, check digit wrong", card, "2221000000000000", "", "2221000000000000", warn, kCardWrong,
            true);
        row("card: 2220 passes, outside the range", card, "2220000000000000", "", "2220000000000000", warn, kCardWrong,
            true);
        row("card: 2721 passes, outside the range", card, "2721000000000004", "", "2721000000000004", warn, kCardWrong,
            true);
        row("card: 2000 passes", card, "2000000000000006", "", "2000000000000006", warn, kCardWrong, true);
        row("card: first digit 7 passes", card, "79927398713", "", "79927398713", warn, kCardWrong, true);
        row("card: first digit 1 passes", card, "18", "", "18", warn, kCardWrong, true);
        row("card: first digit 0 passes", card, "0", "", "0", warn, kCardWrong, true);
        row("card: a single 3", card, "3", "", "3", warn, kCardWrong, true);
        row("card: letters passed in", card, "VISA", "", "VISA", warn, kCardWrong, true);
        row("card: letters typed do not arrive", card, "", "4111x1111 1111 111abc1", "4111111111111111", info,
            cardValid("4111111111111111", "Visa"), true);
        row("card: empty", card, "", "", "", warn, kCardEmpty, false);
    }
    void verdict() {
        QFETCH(QString, name);
        QFETCH(QString, caller);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(Kind, kind);
        QFETCH(QString, message);
        QFETCH(bool, closes);
        open(name, caller);
        screen->field()->end(false);
        typeInto(screen->field(), typed);
        QCOMPARE(screen->field()->text(), shown);

        QTest::mouseClick(button("btnControlla"), Qt::LeftButton);
        QCOMPARE(fakes->dialogs.texts(), QStringList{message});
        QCOMPARE(fakes->dialogs.messages.first().kind, kind);
        QCOMPARE(screen->isVisible(), !closes);
        if (closes) {
            QCOMPARE(screen->result(), int(QDialog::Accepted));
        } else {
            // The focus is back in the field for the user to correct the text; the text stays.
            QCOMPARE(QApplication::focusWidget(), screen->field());
            QCOMPARE(screen->field()->text(), shown);
        }
        QCOMPARE(screen->field()->text(), shown);  // a verdict never changes the field
    }

    // A refused text can be corrected on the same screen and checked again.
    void refusedTextCanBeCorrected_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("more");
        QTest::addColumn<QString>("message");
        QTest::newRow("fiscal code") << "TfrmCodFisc" << "RSSMRA85T10A562" << "S" << kFcValid;
        QTest::newRow("VAT number") << "TfrmPartitaIva" << "0123456058" << "7" << vatValid("Roma 1");
        QTest::newRow("IBAN") << "TfrmIban" << "IT60X054281110100000012345" << "6" << kIbanValid;
        QTest::newRow("card") << "TfrmCarta" << "" << "42" << cardValid("42", "Visa");
    }
    void refusedTextCanBeCorrected() {
        QFETCH(QString, name);
        QFETCH(QString, first);
        QFETCH(QString, more);
        QFETCH(QString, message);
        open(name);
        typeInto(screen->field(), first);
        QTest::mouseClick(button("btnControlla"), Qt::LeftButton);
        QVERIFY(screen->isVisible());
        QCOMPARE(QApplication::focusWidget(), screen->field());
        QTest::keyClicks(screen->field(), more);
        QTest::mouseClick(button("btnControlla"), Qt::LeftButton);
        QCOMPARE(fakes->dialogs.messages.size(), 2);
        QCOMPARE(fakes->dialogs.messages.last().text, message);
        QVERIFY(!screen->isVisible());
    }

    // Any last letter other than the check character is reported wrong.
    void everyOtherLastLetterIsWrong() {
        const QString code = QStringLiteral("RSSMRA85T10A562");
        for (char16_t last = u'A'; last <= u'Z'; ++last) {
            open("TfrmCodFisc", code + QChar(last));
            QTest::mouseClick(button("btnControlla"), Qt::LeftButton);
            QCOMPARE(fakes->dialogs.messages.last().text, last == u'S' ? kFcValid : kFcWrong);
            QVERIFY(!screen->isVisible());
        }
        QCOMPARE(fakes->dialogs.messages.size(), 26);
    }

    // ---- Typing rules ----------------------------------------------------------------------

    // The fiscal code and the IBAN are trimmed and upper-cased (a to z only) as they are typed.
    void codesAreUpperCasedAndTrimmedWhileTyped_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("fiscal code") << "TfrmCodFisc";
        QTest::newRow("IBAN") << "TfrmIban";
    }
    void codesAreUpperCasedAndTrimmedWhileTyped() {
        QFETCH(QString, name);
        open(name);
        QLineEdit* field = screen->field();
        QTest::keyClicks(field, " ab");  // the leading blank goes at once
        QCOMPARE(field->text(), QString("AB"));
        QTest::keyClicks(field, " ");  // so does a blank typed at the end
        QCOMPARE(field->text(), QString("AB"));
        field->insert(" c");  // a blank inside stays
        QTest::keyClicks(field, "-z");
        field->insert(QString::fromUtf8("è"));  // only a to z are upper-cased
        QCOMPARE(field->text(), QString::fromUtf8("AB C-Zè"));
    }

    // The VAT number and card fields take only digits, Backspace, Delete and the two
    // horizontal arrows; every other key is discarded.
    void numberFieldsTakeOnlyDigitsAndFourEditingKeys_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("VAT number") << "TfrmPartitaIva";
        QTest::newRow("card") << "TfrmCarta";
    }
    void numberFieldsTakeOnlyDigitsAndFourEditingKeys() {
        QFETCH(QString, name);
        open(name);
        QLineEdit* field = screen->field();
        QTest::keyClicks(field, "1a2 B3.4-5,+/");
        QCOMPARE(field->text(), QString("12345"));
        QTest::keyClick(field, Qt::Key_Left);
        QTest::keyClick(field, Qt::Key_Backspace);  // removes the 4
        QCOMPARE(field->text(), QString("1235"));
        QTest::keyClick(field, Qt::Key_Delete);  // removes the 5
        QCOMPARE(field->text(), QString("123"));
        QTest::keyClick(field, Qt::Key_Left);
        QTest::keyClick(field, Qt::Key_Left);
        QTest::keyClick(field, Qt::Key_Right);
        QTest::keyClicks(field, "9");
        QCOMPARE(field->text(), QString("1293"));
        // Other movement and editing keys do nothing: the cursor stays where it was.
        for (Qt::Key key : {Qt::Key_Home, Qt::Key_End, Qt::Key_Up, Qt::Key_Down, Qt::Key_Space, Qt::Key_Insert})
            QTest::keyClick(field, key);
        QTest::keyClicks(field, "7");
        QCOMPARE(field->text(), QString("12973"));
        // Pasted text obeys the same rule.
        QGuiApplication::clipboard()->setText("4x5");
        field->paste();
        QCOMPARE(field->text(), QString("12973"));
        QGuiApplication::clipboard()->setText("45");
        field->paste();
        QCOMPARE(field->text(), QString("1297453"));
    }

    // A caller's text goes into the field whole and unfiltered, and can still be edited.
    void callerTextIsKeptWhole_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("afterBackspace");
        QTest::newRow("fiscal code of 20") << "TfrmCodFisc" << "RSSMRA85T10A562SXYZW" << "RSSMRA85T10A562SXYZ";
        QTest::newRow("VAT number with letters") << "TfrmPartitaIva" << "12 34-ABC" << "12 34-AB";
        QTest::newRow("VAT number of 14") << "TfrmPartitaIva" << "01234560587123" << "0123456058712";
        QTest::newRow("IBAN in groups") << "TfrmIban" << "IT60 X054 2811 1010 0000 0123 456"
                                        << "IT60 X054 2811 1010 0000 0123 45";
        QTest::newRow("card in groups, longer than 30")
            << "TfrmCarta" << "4111 1111 1111 1111 4111 1111 1111 111" << "4111 1111 1111 1111 4111 1111 1111 11";
    }
    void callerTextIsKeptWhole() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, afterBackspace);
        open(name, text);
        QCOMPARE(screen->field()->text(), text);
        screen->field()->end(false);
        QTest::keyClick(screen->field(), Qt::Key_Backspace);
        QCOMPARE(screen->field()->text(), afterBackspace);
    }

    // ---- Opening the screens ----------------------------------------------------------------

    void openFunctionsPutTheTrimmedTextInTheField_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("screenName");
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("shown");
        QTest::newRow("fiscal code") << 0 << "  RSSMRA85T10A562S \t" << "TfrmCodFisc" << "txtCodFisc"
                                     << "RSSMRA85T10A562S";
        QTest::newRow("fiscal code check with digits") << 0 << " 01234560587 " << "TfrmCodFisc" << "txtCodFisc"
                                                       << "01234560587";
        QTest::newRow("VAT number") << 1 << " 01234560587  " << "TfrmPartitaIva" << "txtPartitaIva" << "01234560587";
        QTest::newRow("IBAN") << 2 << " IT60 X054 2811 1010 0000 0123 456 " << "TfrmIban" << "txtIban"
                              << "IT60 X054 2811 1010 0000 0123 456";
        QTest::newRow("card") << 3 << " 4111 1111 1111 1111 " << "TfrmCarta" << "txtNumero" << "4111 1111 1111 1111";
        QTest::newRow("card, empty") << 3 << "" << "TfrmCarta" << "txtNumero" << "";
    }
    void openFunctionsPutTheTrimmedTextInTheField() {
        QFETCH(int, which);
        QFETCH(QString, text);
        QFETCH(QString, screenName);
        QFETCH(QString, fieldName);
        QFETCH(QString, shown);
        QString seen;
        bool wasVisible = false;
        fakes->screens.handlers << [&](QDialog* dlg) {
            wasVisible = dlg->isVisible();
            seen = child<QLineEdit>(dlg, qPrintable(fieldName))->text();
            QTest::mouseClick(child<QPushButton>(dlg, "btnChiudi"), Qt::LeftButton);
        };
        switch (which) {
        case 0: openFiscalCodeCheck(text); break;
        case 1: openVatNumberCheck(text); break;
        case 2: openIbanCheck(text); break;
        case 3: openCardCheck(text); break;
        }
        QCOMPARE(fakes->screens.shown, QStringList{screenName});
        QVERIFY(fakes->screens.handlers.isEmpty());
        QVERIFY(wasVisible);
        QCOMPARE(seen, shown);
        QVERIFY(fakes->dialogs.messages.isEmpty());
    }

    void fiscalCodeButtonRoutesByContent_data() {
        QTest::addColumn<QString>("fieldText");
        QTest::addColumn<QString>("screenName");
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("shown");
        QTest::newRow("eleven digits") << "01234560587" << "TfrmPartitaIva" << "txtPartitaIva" << "01234560587";
        QTest::newRow("digits among blanks") << "  01234560587  " << "TfrmPartitaIva" << "txtPartitaIva"
                                             << "01234560587";
        QTest::newRow("ten digits") << "0123456058" << "TfrmPartitaIva" << "txtPartitaIva" << "0123456058";
        QTest::newRow("sixteen digits") << "0123456058701234" << "TfrmPartitaIva" << "txtPartitaIva"
                                        << "0123456058701234";
        QTest::newRow("fiscal code") << "RSSMRA85T10A562S" << "TfrmCodFisc" << "txtCodFisc" << "RSSMRA85T10A562S";
        QTest::newRow("empty") << "" << "TfrmCodFisc" << "txtCodFisc" << "";
        QTest::newRow("blanks only") << "    " << "TfrmCodFisc" << "txtCodFisc" << "";
        QTest::newRow("digits with a blank inside") << "0123456 0587" << "TfrmCodFisc" << "txtCodFisc"
                                                    << "0123456 0587";
        QTest::newRow("digits and a letter") << "0123456058X" << "TfrmCodFisc" << "txtCodFisc" << "0123456058X";
    }
    void fiscalCodeButtonRoutesByContent() {
        QFETCH(QString, fieldText);
        QFETCH(QString, screenName);
        QFETCH(QString, fieldName);
        QFETCH(QString, shown);
        QString seen;
        fakes->screens.handlers << [&](QDialog* dlg) {
            seen = child<QLineEdit>(dlg, qPrintable(fieldName))->text();
            QTest::mouseClick(child<QPushButton>(dlg, "btnChiudi"), Qt::LeftButton);
        };
        openFiscalCodeButton(fieldText);
        QCOMPARE(fakes->screens.shown, QStringList{screenName});
        QCOMPARE(seen, shown);
    }

    // Each use gets a new screen: a text left in one does not show up in the next.
    void everyUseGetsAFreshScreen() {
        QPointer<QDialog> first;
        fakes->screens.handlers << [&](QDialog* dlg) {
            first = dlg;
            QTest::keyClicks(child<QLineEdit>(dlg, "txtIban"), "XX");
            QTest::mouseClick(child<QPushButton>(dlg, "btnChiudi"), Qt::LeftButton);
        };
        QString seen = "unset";
        fakes->screens.handlers << [&](QDialog* dlg) {
            seen = child<QLineEdit>(dlg, "txtIban")->text();
            QTest::mouseClick(child<QPushButton>(dlg, "btnChiudi"), Qt::LeftButton);
        };
        openIbanCheck("IT");
        QVERIFY(first.isNull());  // discarded when it closed
        openIbanCheck("");
        QCOMPARE(seen, QString());
    }

    // ---- The client screen's check buttons --------------------------------------------------

    void clientScreenButtons_data() {
        QTest::addColumn<QString>("buttonName");
        QTest::addColumn<QString>("clientField");
        QTest::addColumn<QString>("typed");     // typed into the client's field
        QTest::addColumn<QString>("stored");    // or put there as a record would
        QTest::addColumn<QString>("screenName");
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("shown");
        QTest::newRow("fiscal code button, eleven digits")
            << "btnCodFisc" << "txtCodFisc" << "01234560587" << "" << "TfrmPartitaIva" << "txtPartitaIva"
            << "01234560587";
        QTest::newRow("fiscal code button, a 16-character code")
            << "btnCodFisc" << "txtCodFisc" << "rssmra85t10a562s" << "" << "TfrmCodFisc" << "txtCodFisc"
            << "RSSMRA85T10A562S";
        QTest::newRow("fiscal code button, empty") << "btnCodFisc" << "txtCodFisc" << "" << "" << "TfrmCodFisc"
                                                   << "txtCodFisc" << "";
        QTest::newRow("fiscal code button, digits with a blank inside")
            << "btnCodFisc" << "txtCodFisc" << "" << "0123456 0587" << "TfrmCodFisc" << "txtCodFisc"
            << "0123456 0587";
        QTest::newRow("fiscal code button, digits among blanks")
            << "btnCodFisc" << "txtCodFisc" << "" << "  01234560587 " << "TfrmPartitaIva" << "txtPartitaIva"
            << "01234560587";
        QTest::newRow("VAT number button") << "btnPartitaIva" << "txtPartitaIva" << "01234560587" << ""
                                           << "TfrmPartitaIva" << "txtPartitaIva" << "01234560587";
        QTest::newRow("VAT number button, empty") << "btnPartitaIva" << "txtPartitaIva" << "" << ""
                                                  << "TfrmPartitaIva" << "txtPartitaIva" << "";
        QTest::newRow("card button") << "btnCarta" << "txtCarta" << "4111111111111111" << "" << "TfrmCarta"
                                     << "txtNumero" << "4111111111111111";
        QTest::newRow("card button, stored in groups")
            << "btnCarta" << "txtCarta" << "" << " 4111 1111 1111 1111 " << "TfrmCarta" << "txtNumero"
            << "4111 1111 1111 1111";
        QTest::newRow("IBAN button") << "btnIban" << "txtIban" << "it60x0542811101000000123456" << "" << "TfrmIban"
                                     << "txtIban" << "IT60X0542811101000000123456";
    }
    void clientScreenButtons() {
        QFETCH(QString, buttonName);
        QFETCH(QString, clientField);
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(QString, screenName);
        QFETCH(QString, fieldName);
        QFETCH(QString, shown);
        caltest::ProgramFolder folder;
        setProgramFolder(folder.path());
        TfrmClienti clients;
        clients.show();
        QApplication::setActiveWindow(&clients);
        QVERIFY(QTest::qWaitForWindowActive(&clients));

        auto* edit = child<QLineEdit>(&clients, qPrintable(clientField));
        if (!stored.isEmpty()) edit->setText(stored);
        QTest::keyClicks(edit, typed);
        const QString before = edit->text();

        QString opened;
        QString seen = "unset";
        fakes->screens.handlers << [&](QDialog* dlg) {
            opened = dlg->metaObject()->className();
            seen = child<QLineEdit>(dlg, qPrintable(fieldName))->text();
            QTest::mouseClick(child<QPushButton>(dlg, "btnChiudi"), Qt::LeftButton);
        };
        QTest::mouseClick(child<QPushButton>(&clients, qPrintable(buttonName)), Qt::LeftButton);
        QCOMPARE(fakes->screens.shown, QStringList{screenName});
        QCOMPARE(opened, "cal::" + screenName);
        QCOMPARE(seen, shown);
        QCOMPARE(edit->text(), before);  // nothing comes back into the client screen
        QVERIFY(fakes->dialogs.messages.isEmpty());
    }

    // From the client screen's button to the verdict: the check screen reports by itself and
    // closes, and the client's field is left as it was.
    void clientFiscalCodeCheckedEndToEnd_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("valid code") << "rssmra85t10a562s" << kFcValid;
        QTest::newRow("wrong code") << "RSSMRA85T10A562T" << kFcWrong;
        QTest::newRow("VAT number") << "01234560587" << vatValid("Roma 1");
    }
    void clientFiscalCodeCheckedEndToEnd() {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        caltest::ProgramFolder folder;
        setProgramFolder(folder.path());
        TfrmClienti clients;
        clients.show();
        QApplication::setActiveWindow(&clients);
        QVERIFY(QTest::qWaitForWindowActive(&clients));
        auto* edit = child<QLineEdit>(&clients, "txtCodFisc");
        QTest::keyClicks(edit, typed);
        const QString before = edit->text();
        bool closedItself = false;
        fakes->screens.handlers << [&](QDialog* dlg) {
            QTest::mouseClick(child<QPushButton>(dlg, "btnControlla"), Qt::LeftButton);
            closedItself = !dlg->isVisible();
        };
        QTest::mouseClick(child<QPushButton>(&clients, "btnCodFisc"), Qt::LeftButton);
        QVERIFY(closedItself);
        QCOMPARE(fakes->dialogs.texts(), QStringList{message});
        QCOMPARE(edit->text(), before);
    }
};

CAL_WIDGET_TEST_MAIN(TestCheckScreens)
#include "tst_checkscreens.moc"
