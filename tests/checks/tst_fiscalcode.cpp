// The codice fiscale check and the routing of the fiscal code buttons.
#include "checks/FiscalCode.h"
#include "core/Text.h"
#include "testlib/CalTest.h"

using namespace cal;

Q_DECLARE_METATYPE(cal::FiscalCodeTarget)

namespace {

// Well-formed codes: published examples and codes whose check character was worked out by hand
// from the conversion tables, including omocodia codes in which digits are replaced, from the
// right, by their substitute letters (0=L 1=M 2=N 3=P 4=Q 5=R 6=S 7=T 8=U 9=V).
const char* const kValidCodes[][2] = {
    {"published Rossi Mario", "RSSMRA85T10A562S"},
    {"published Moretti Matteo", "MRTMTT25D09F205Z"},
    {"Rome born 1980", "RSSMRA80A01H501U"},
    {"woman, day plus 40", "BNCGLI90A41L219W"},
    {"woman born 1977", "NTNLCU77E65F839N"},
    {"born abroad", "PLLMNL66P51Z404D"},
    {"born 1913", "VRDGPP13T10B157W"},
    {"born 2001", "CLMCST01B02D612U"},
    {"omocodia 1 letter", "RSSMRA85T10A56NH"},
    {"omocodia 2 letters", "RSSMRA85T10A5SNT"},
    {"omocodia 3 letters", "RSSMRA85T10ARSNO"},
    {"omocodia 4 letters", "RSSMRA85T1LARSNR"},
    {"omocodia 5 letters", "RSSMRA85TMLARSNC"},
    {"omocodia 6 letters", "RSSMRA8RTMLARSNO"},
    {"omocodia all 7 letters", "RSSMRAURTMLARSNL"},
    {"omocodia place code", "MRTMTT25D09F20RU"},
    {"omocodia 3 of another", "MRTMTT25D09FNLRU"},
    {"omocodia all of another", "MRTMTTNRDLVFNLRV"},
    {"date digit substituted only", "RSSMRA85TM0A562D"},
    {"day digit substituted only", "BNCGLI90A4ML219O"},
};

void addValidCodeRows() {
    QTest::addColumn<QString>("code");
    for (const auto& row : kValidCodes) QTest::newRow(row[0]) << QString::fromLatin1(row[1]);
}

}  // namespace

class TestFiscalCode : public QObject {
    Q_OBJECT
private slots:
    void wellFormedCodesAreValid_data() { addValidCodeRows(); }
    void wellFormedCodesAreValid() {
        QFETCH(QString, code);
        QVERIFY(IsFiscalCodeValid(code));
        QCOMPARE(FiscalCodeCheckChar(QStringView(code).first(15)), std::optional<QChar>(code[15]));
    }

    void anyOtherLastCharacterIsWrong_data() { addValidCodeRows(); }
    void anyOtherLastCharacterIsWrong() {
        QFETCH(QString, code);
        const QString others = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ");
        for (QChar c : others) {
            if (c == code[15]) continue;
            QString changed = code;
            changed[15] = c;
            QVERIFY2(!IsFiscalCodeValid(changed), qPrintable(changed));
        }
    }

    void wrongCharacterInTheBodyIsCaught_data() {
        QTest::addColumn<QString>("code");
        QTest::newRow("surname letter changed") << "RSTMRA85T10A562S";
        QTest::newRow("year digit changed") << "RSSMRA86T10A562S";
        QTest::newRow("month letter changed") << "RSSMRA85S10A562S";
        QTest::newRow("two digits swapped") << "RSSMRA85T01A562S";
        QTest::newRow("place code digit changed") << "RSSMRA85T10A563S";
        QTest::newRow("omocodia letter not recomputed") << "RSSMRA85T10A56NS";
    }
    void wrongCharacterInTheBodyIsCaught() {
        QFETCH(QString, code);
        QVERIFY(!IsFiscalCodeValid(code));
    }

    void badTextsAreNeverValid_data() {
        QTest::addColumn<QString>("code");
        QTest::newRow("empty") << QString();
        QTest::newRow("15 characters") << "RSSMRA85T10A562";
        QTest::newRow("17 characters") << "RSSMRA85T10A562SX";
        QTest::newRow("valid code with a blank in front") << " RSSMRA85T10A562S";
        QTest::newRow("lower case") << "rssmra85t10a562s";
        QTest::newRow("lower case check character") << "RSSMRA85T10A562s";
        QTest::newRow("blank inside") << "RSSMRA85T10 562S";
        QTest::newRow("hyphen inside") << "RSSMRA85T10-562S";
        // The seven characters between 9 and A count 0 in the conversion tables; a code that
        // holds one is not a fiscal code, even where its check character would match.
        QTest::newRow("colon, matching check character") << "RSSMRA85T10A56:N";
        QTest::newRow("question mark, matching") << "RSSMRA85T10A5?2M";
        QTest::newRow("at sign in place of A, matching") << "RSSMRA85T10@562S";
        QTest::newRow("equals sign, matching") << "RSSMRA85T10A56=N";
        QTest::newRow("accented capital") << QString::fromUtf8("RSSMRÈ85T10A562S");
        QTest::newRow("16 accented capitals") << QString(16, QChar(0x00C8));
        QTest::newRow("16 blanks") << QString(16, u' ');
        QTest::newRow("16 zeros") << QString(16, u'0');
    }
    void badTextsAreNeverValid() {
        QFETCH(QString, code);
        QVERIFY(!IsFiscalCodeValid(code));
    }

    void upperCasedLowerCaseCodeGetsTheSameVerdict() {
        QVERIFY(IsFiscalCodeValid(upperAscii(u"rssmra85t10a562s")));
        QVERIFY(IsFiscalCodeValid(upperAscii(u"RssMra85t10a56nh")));
        QVERIFY(!IsFiscalCodeValid(upperAscii(u"rssmra85t10a562t")));
    }

    // Characters outside 0-9 and A-Z, in every position of a well-formed code, with every
    // possible last letter: none of them may yield a valid code, and none may be looked up
    // outside the conversion tables (the sanitizer build checks the latter).
    void foreignCharacterNeverMakesACodeValid_data() {
        QTest::addColumn<QChar>("foreign");
        QTest::newRow("slash, just below 0") << QChar(u'/');
        QTest::newRow("colon") << QChar(u':');
        QTest::newRow("at sign, just below A") << QChar(u'@');
        QTest::newRow("bracket, just above Z") << QChar(u'[');
        QTest::newRow("lower-case a") << QChar(u'a');
        QTest::newRow("lower-case z") << QChar(u'z');
        QTest::newRow("tilde") << QChar(u'~');
        QTest::newRow("blank") << QChar(u' ');
        QTest::newRow("nul") << QChar(u'\0');
        QTest::newRow("E grave") << QChar(0x00C8);
        QTest::newRow("a grave") << QChar(0x00E0);
        QTest::newRow("arabic-indic digit three") << QChar(0x0663);
        QTest::newRow("fullwidth A") << QChar(0xFF21);
        QTest::newRow("fullwidth zero") << QChar(0xFF10);
        QTest::newRow("high surrogate") << QChar(0xD83D);
        QTest::newRow("last code unit") << QChar(0xFFFF);
    }
    void foreignCharacterNeverMakesACodeValid() {
        QFETCH(QChar, foreign);
        const QString base = QStringLiteral("RSSMRA85T10A562S");
        for (int pos = 0; pos < 16; ++pos) {
            QString code = base;
            code[pos] = foreign;
            if (pos < 15) QCOMPARE(FiscalCodeCheckChar(QStringView(code).first(15)), std::nullopt);
            for (char16_t last = u'A'; last <= u'Z'; ++last) {
                if (pos < 15) code[15] = QChar(last);
                QVERIFY2(!IsFiscalCodeValid(code), qPrintable(QStringLiteral("position %1").arg(pos + 1)));
            }
        }
    }

    void checkCharacterNeedsExactlyFifteenCharacters() {
        QCOMPARE(FiscalCodeCheckChar(u""), std::nullopt);
        QCOMPARE(FiscalCodeCheckChar(u"RSSMRA85T10A56"), std::nullopt);
        QCOMPARE(FiscalCodeCheckChar(u"RSSMRA85T10A562S"), std::nullopt);
        // Remainders 0 and 25 give the two ends of the alphabet: 15 times "1"/"B" count 0 in
        // odd and 1 in even positions (sum 7 -> "H"); fifteen "A" count 8 x 1 + 7 x 0 = 8 -> "I".
        QCOMPARE(FiscalCodeCheckChar(u"111111111111111"), std::optional<QChar>(u'H'));
        QCOMPARE(FiscalCodeCheckChar(u"AAAAAAAAAAAAAAA"), std::optional<QChar>(u'I'));
        // Odd "X" counts 25, even "Z" counts 25: 8 x 25 + 7 x 25 = 375 = 14 x 26 + 11 -> "L".
        QCOMPARE(FiscalCodeCheckChar(u"XZXZXZXZXZXZXZX"), std::optional<QChar>(u'L'));
        // Odd "B" 0, even "A" 0 everywhere: remainder 0 -> "A".
        QCOMPARE(FiscalCodeCheckChar(u"BABABABABABABAB"), std::optional<QChar>(u'A'));
        // Odd "X" 25 once, the rest 0: remainder 25 -> "Z".
        QCOMPARE(FiscalCodeCheckChar(u"XABABABABABABAB"), std::optional<QChar>(u'Z'));
    }

    void allDigits_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("one digit") << "0" << true;
        QTest::newRow("eleven digits") << "12345678901" << true;
        QTest::newRow("sixteen digits") << "1234567890123456" << true;
        QTest::newRow("digits with a blank between") << "12345 678901" << false;
        QTest::newRow("leading blank") << " 123" << false;
        QTest::newRow("letter at the end") << "1234567890X" << false;
        QTest::newRow("fiscal code") << "RSSMRA85T10A562S" << false;
        QTest::newRow("sign") << "-123" << false;
        QTest::newRow("arabic-indic digits") << QString::fromUtf8("١٢٣") << false;
        QTest::newRow("fullwidth digits") << QString::fromUtf8("１２３") << false;
        QTest::newRow("superscript two") << QString::fromUtf8("1²") << false;
    }
    void allDigits() {
        QFETCH(QString, text);
        QFETCH(bool, expected);
        QCOMPARE(IsAllDigits(text), expected);
    }

    void fiscalCodeButtonRoutesDigitsToTheVatCheck_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<FiscalCodeTarget>("target");
        const auto vat = FiscalCodeTarget::VatNumberCheck;
        const auto fc = FiscalCodeTarget::FiscalCodeCheck;
        QTest::newRow("empty") << QString() << fc;
        QTest::newRow("blanks only") << "    " << fc;
        QTest::newRow("eleven digits") << "01234560587" << vat;
        QTest::newRow("digits among blanks") << "  01234560587  " << vat;
        QTest::newRow("digits among tabs and line ends") << "\t0123\r\n" << vat;
        QTest::newRow("a single digit") << "7" << vat;
        QTest::newRow("digits with a blank between") << "0123456 0587" << fc;
        QTest::newRow("fiscal code") << "RSSMRA85T10A562S" << fc;
        QTest::newRow("one letter among digits") << "0123456058X" << fc;
        QTest::newRow("lower-case code") << "rssmra85t10a562s" << fc;
    }
    void fiscalCodeButtonRoutesDigitsToTheVatCheck() {
        QFETCH(QString, field);
        QFETCH(FiscalCodeTarget, target);
        QCOMPARE(FiscalCodeButtonTarget(field), target);
    }
};

CAL_TEST_MAIN(TestFiscalCode)
#include "tst_fiscalcode.moc"
