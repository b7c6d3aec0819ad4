// The IBAN check by the mod-97 rule.
#include "checks/Iban.h"
#include "testlib/CalTest.h"

using namespace cal;

namespace {

// Examples of the IBAN registry and of national banking associations, of several lengths.
const char* const kValidIbans[][2] = {
    {"Italy, 27", "IT60X0542811101000000123456"},
    {"Italy, other check digits", "IT40S0542811101000000123456"},
    {"San Marino, 27", "SM86U0322509800000000270100"},
    {"United Kingdom, 22", "GB82WEST12345698765432"},
    {"Germany, 22", "DE89370400440532013000"},
    {"France, 27", "FR1420041010050500013M02606"},
    {"Norway, 15", "NO9386011117947"},
    {"Belgium, 16", "BE68539007547034"},
    {"Netherlands, 18", "NL91ABNA0417164300"},
    {"Switzerland, 21", "CH9300762011623852957"},
    {"Spain, 24", "ES9121000418450200051332"},
    {"Iceland, 26", "IS140159260076545510730339"},
    {"Malta, 31", "MT84MALT011000012345MTLCAST001S"},
    {"Saint Lucia, 32", "LC55HEMM000100010012001200023015"},
};

}  // namespace

class TestIban : public QObject {
    Q_OBJECT
private slots:
    void registryExamplesAreValid_data() {
        QTest::addColumn<QString>("iban");
        for (const auto& row : kValidIbans) QTest::newRow(row[0]) << QString::fromLatin1(row[1]);
    }
    void registryExamplesAreValid() {
        QFETCH(QString, iban);
        QCOMPARE(IbanMod97(iban), 1);
        QVERIFY(IsIbanValid(iban));
        QVERIFY(IsIbanValid(iban.toLower()));
    }

    // With its check digits set to "00", an IBAN leaves the remainder 98 minus its check
    // digits: this ties every remainder to a figure worked out independently.
    void remainderWithZeroCheckDigits_data() { registryExamplesAreValid_data(); }
    void remainderWithZeroCheckDigits() {
        QFETCH(QString, iban);
        const int checkDigits = iban.mid(2, 2).toInt();
        const QString zeroed = iban.left(2) + "00" + iban.mid(4);
        QCOMPARE(IbanMod97(zeroed), 98 - checkDigits);
        QVERIFY(!IsIbanValid(zeroed));
    }

    void remainder_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("remainder");
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("one digit") << "1" << 1;
        QTest::newRow("country code only") << "IT" << 83;    // "1829" mod 97
        QTest::newRow("three characters") << "IT6" << 60;    // "18296" mod 97
        QTest::newRow("two last digits swapped") << "IT60X0542811101000000123465" << 50;
        QTest::newRow("two inner digits swapped") << "IT60X0542811101000000123546" << 6;
        QTest::newRow("check digits swapped") << "IT06X0542811101000000123456" << 44;
        QTest::newRow("lower case") << "it60x0542811101000000123456" << 1;
        QTest::newRow("mixed case") << "It60x0542811101000000123456" << 1;
        QTest::newRow("label in front") << "IBANIT60X0542811101000000123456" << 1;
        QTest::newRow("lower-case label in front") << "ibanIT60X0542811101000000123456" << 1;
        QTest::newRow("label only") << "IBAN" << 0;
        QTest::newRow("blank inside") << "IT60 X0542811101000000123456" << 0;
        QTest::newRow("hyphen inside") << "IT60-X054281110100000012345" << 0;
        QTest::newRow("slash inside") << "IT60X0542811101000000/123456" << 0;
        QTest::newRow("accented capital") << QString::fromUtf8("IT60È0542811101000000123456") << 0;
        QTest::newRow("accented small letter") << QString::fromUtf8("IT60X054281110100000012345à") << 0;
        QTest::newRow("arabic-indic digit") << QString::fromUtf8("IT60X054281110100000012345٦") << 0;
        QTest::newRow("fullwidth letters") << QString::fromUtf8("ＩＴ60X0542811101000000123456") << 0;
        QTest::newRow("sign in front") << "+IT60X0542811101000000123456" << 0;
    }
    void remainder() {
        QFETCH(QString, text);
        QFETCH(int, remainder);
        QCOMPARE(IbanMod97(text), remainder);
    }

    void validity_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("groups of four") << "IT60 X054 2811 1010 0000 0123 456" << true;
        QTest::newRow("groups, lower case") << "gb82 west 1234 5698 7654 32" << true;
        QTest::newRow("blanks around") << "  DE89370400440532013000  " << true;
        QTest::newRow("one blank in 27 characters") << "IS14 0159260076545510730339" << true;
        QTest::newRow("printed label") << "IBAN IT60 X054 2811 1010 0000 0123 456" << true;
        // The four letters inside the account part belong to the IBAN and take part in it.
        QTest::newRow("IBAN inside the account part") << "MT11MALT011000012345IBANCAST001S" << true;
        QTest::newRow("IBAN inserted into a valid one") << "IT60X054281IBAN1101000000123456" << false;
        QTest::newRow("digits swapped") << "IT60X0542811101000000123465" << false;
        QTest::newRow("wrong national check letter") << "IT60Y0542811101000000123456" << false;
        QTest::newRow("one digit missing") << "IT60X054281110100000012345" << false;
        QTest::newRow("one digit more") << "IT60X05428111010000001234560" << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("blanks only") << "     " << false;
        QTest::newRow("hyphen") << "IT60-X054-2811-1010-0000-0123-456" << false;
        QTest::newRow("tab between groups") << "IT60\tX0542811101000000123456" << false;
        QTest::newRow("no-break space between groups") << QString::fromUtf8("IT60\u00A0X0542811101000000123456") << false;
        QTest::newRow("accented letter") << QString::fromUtf8("IT60È0542811101000000123456") << false;
    }
    void validity() {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(IsIbanValid(text), valid);
    }

    // A single wrong digit anywhere in the account is always caught by the mod-97 rule.
    void everySingleDigitChangeIsCaught() {
        const QString iban = QStringLiteral("IT60X0542811101000000123456");
        for (qsizetype i = 2; i < iban.size(); ++i) {
            if (!iban[i].isDigit()) continue;
            for (char16_t d = u'0'; d <= u'9'; ++d) {
                if (iban[i] == QChar(d)) continue;
                QString changed = iban;
                changed[i] = QChar(d);
                QVERIFY2(!IsIbanValid(changed), qPrintable(changed));
            }
        }
    }

    // A long run of digits keeps the remainder exact (no intermediate number overflows).
    void longTextKeepsAnExactRemainder() {
        // 300 nines are 10^300 - 1. By Fermat 10^96 = 1 mod 97, and 300 = 3 x 96 + 12, so
        // 10^300 = 10^12 = 50 mod 97 and the remainder is 49. Moving four nines to the end
        // leaves the text as it is.
        QCOMPARE(IbanMod97(QString(300, u'9')), 49);
    }
};

CAL_TEST_MAIN(TestIban)
#include "tst_iban.moc"
