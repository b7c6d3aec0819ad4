// The partita IVA check and the VAT office table.
#include "checks/VatNumber.h"
#include "testlib/CalTest.h"

using namespace cal;

class TestVatNumber : public QObject {
    Q_OBJECT
private slots:
    void validity_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("valid");
        QTest::newRow("ascending digits") << "12345678903" << true;
        QTest::newRow("office Milano 1") << "00743110157" << true;
        QTest::newRow("office Torino") << "00488410010" << true;
        QTest::newRow("office Roma 1") << "01234560587" << true;
        QTest::newRow("office 120") << "01234561205" << true;
        QTest::newRow("office not in the table, 000") << "01234560009" << true;
        QTest::newRow("office not in the table, 103") << "01234561031" << true;
        QTest::newRow("eleven zeros") << "00000000000" << true;
        QTest::newRow("check digit one too high") << "12345678904" << false;
        QTest::newRow("check digit one too low") << "12345678902" << false;
        QTest::newRow("first digit changed") << "22345678903" << false;
        QTest::newRow("two neighbours swapped") << "00743101157" << false;
        QTest::newRow("ten zeros and a one") << "00000000001" << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("ten digits") << "1234567890" << false;
        QTest::newRow("twelve digits") << "123456789030" << false;
        QTest::newRow("valid number with a blank behind") << "12345678903 " << false;
        QTest::newRow("letter inside") << "1234567A903" << false;
        QTest::newRow("letter as check digit") << "1234567890X" << false;
        QTest::newRow("blank inside") << "1234567 903" << false;
        QTest::newRow("sign in front") << "+1234567890" << false;
        QTest::newRow("accented letter") << QString::fromUtf8("1234567890È") << false;
        QTest::newRow("arabic-indic digits") << QString::fromUtf8("١٢٣٤٥٦٧٨٩٠٣") << false;
        QTest::newRow("fullwidth digits") << QString::fromUtf8("１２３４５６７８９０３") << false;
    }
    void validity() {
        QFETCH(QString, number);
        QFETCH(bool, valid);
        QCOMPARE(IsVatNumberValid(number), valid);
    }

    // Exactly one last digit completes each body; every other one is refused.
    void onlyOneCheckDigitFits_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("checkDigit");
        QTest::newRow("ascending") << "1234567890" << 3;
        QTest::newRow("zeros") << "0000000000" << 0;
        QTest::newRow("doubled 5 carries") << "0505050505" << 5;  // 5 x (1 + 1) = 25 -> 5
        QTest::newRow("nines") << "9999999999" << 0;              // 5 x 9 + 5 x 9 = 90
        QTest::newRow("Roma 1") << "0123456058" << 7;
    }
    void onlyOneCheckDigitFits() {
        QFETCH(QString, body);
        QFETCH(int, checkDigit);
        QCOMPARE(VatCheckDigit(body), std::optional<int>(checkDigit));
        for (int d = 0; d <= 9; ++d)
            QCOMPARE(IsVatNumberValid(body + QString::number(d)), d == checkDigit);
    }

    void checkDigitNeedsTenDigits() {
        QCOMPARE(VatCheckDigit(u""), std::optional<int>());
        QCOMPARE(VatCheckDigit(u"123456789"), std::optional<int>());
        QCOMPARE(VatCheckDigit(u"12345678903"), std::optional<int>());
        QCOMPARE(VatCheckDigit(u"123456789A"), std::optional<int>());
    }

    void officeCodeIsTheEighthToTenthCharacters() {
        QCOMPARE(VatOfficeCode(u"01234560587").toString(), QString("058"));
        QCOMPARE(VatOfficeCode(u"00743110157").toString(), QString("015"));
        QCOMPARE(VatOfficeCode(u"12345678").toString(), QString("8"));
        QCOMPARE(VatOfficeCode(u"1234567").toString(), QString());
        QCOMPARE(VatOfficeCode(u"").toString(), QString());
    }

    void officeName_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << "001" << "Torino";
        QTest::newRow("Genova 1") << "010" << "Genova 1";
        QTest::newRow("Milano 1") << "015" << "Milano 1";
        QTest::newRow("Bolzano") << "021" << "Bolzano";
        QTest::newRow("Reggio Emilia") << "035" << "Reggio Emilia";
        QTest::newRow("accented name") << "040" << QString::fromUtf8("Forlì");
        QTest::newRow("Massa Carrara") << "045" << "Massa Carrara";
        QTest::newRow("Roma 1") << "058" << "Roma 1";
        QTest::newRow("Aquila") << "066" << "Aquila";
        QTest::newRow("Reggio Calabria") << "080" << "Reggio Calabria";
        QTest::newRow("Cagliari") << "092" << "Cagliari";
        QTest::newRow("Monza") << "096" << "Monza (Milano 2)";
        QTest::newRow("Prato") << "097" << "Prato (Firenze 2)";
        QTest::newRow("Chiavari") << "099" << "Chiavari (Genova 2)";
        QTest::newRow("Roma 2") << "100" << "Roma 2";
        QTest::newRow("Bologna 2") << "101" << "Bologna 2";
        QTest::newRow("last of the sequence") << "102" << "Napoli 2";
        QTest::newRow("120 names Bologna 2") << "120" << "Bologna 2";
        QTest::newRow("121 names Napoli 2") << "121" << "Napoli 2";
        QTest::newRow("000") << "000" << QString();
        QTest::newRow("103") << "103" << QString();
        QTest::newRow("119") << "119" << QString();
        QTest::newRow("122") << "122" << QString();
        QTest::newRow("999") << "999" << QString();
        QTest::newRow("two digits") << "58" << QString();
        QTest::newRow("four digits") << "0058" << QString();
        QTest::newRow("blank in front") << " 58" << QString();
        QTest::newRow("empty") << QString() << QString();
    }
    void officeName() {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QCOMPARE(VatOfficeName(code), name);
    }

    // The table holds "001" to "102" and "120", "121", and no other three-digit code.
    void officeTableHoldsExactlyTheIssuedCodes() {
        int named = 0;
        for (int n = 0; n <= 999; ++n) {
            const QString code = QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
            const bool expected = (n >= 1 && n <= 102) || n == 120 || n == 121;
            QVERIFY2(VatOfficeName(code).isEmpty() != expected, qPrintable(code));
            if (expected) ++named;
        }
        QCOMPARE(named, 104);
    }

    void validNumberNamesItsOffice_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("office");
        QTest::newRow("Roma 1") << "01234560587" << "Roma 1";
        QTest::newRow("120 as Bologna 2") << "01234561205" << "Bologna 2";
        QTest::newRow("121 as Napoli 2") << "01234561213" << "Napoli 2";
        QTest::newRow("Forli") << "01234560405" << QString::fromUtf8("Forlì");
        QTest::newRow("unknown office 000") << "01234560009" << QString();
        QTest::newRow("unknown office 103") << "01234561031" << QString();
    }
    void validNumberNamesItsOffice() {
        QFETCH(QString, number);
        QFETCH(QString, office);
        QVERIFY(IsVatNumberValid(number));
        QCOMPARE(VatOfficeName(VatOfficeCode(number)), office);
    }
};

CAL_TEST_MAIN(TestVatNumber)
#include "tst_vatnumber.moc"
