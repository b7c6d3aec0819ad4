// Amounts: entry normalisation in four and two decimals, exact half-up rounding, the limits of
// what can be read, and the totals of the summaries.
#include "core/Amount.h"
#include "testlib/CalTest.h"

#include <limits>

using namespace cal;

namespace {
constexpr qint64 kMax = std::numeric_limits<qint64>::max();
}

class TestAmount : public QObject {
    Q_OBJECT
private slots:
    void fourDecimalEntry_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        // The examples of the price list.
        QTest::newRow("whole") << "12" << "12,00";
        QTest::newRow("one decimal") << "12,5" << "12,50";
        QTest::newRow("three decimals stay") << "12,345" << "12,345";
        QTest::newRow("five decimals round") << "12,34567" << "12,3457";
        QTest::newRow("leading comma") << ",5" << "0,50";
        QTest::newRow("two commas") << "1,2,3" << "0,00";
        QTest::newRow("rate 1250,5") << "1250,5" << "1250,50";
        QTest::newRow("rate 0,00005") << "0,00005" << "0,0001";
        QTest::newRow("rate 3,14159") << "3,14159" << "3,1416";
        // Empty, blank and odd shapes.
        QTest::newRow("empty") << "" << "0,00";
        QTest::newRow("blanks") << "   " << "0,00";
        QTest::newRow("comma alone") << "," << "0,00";
        QTest::newRow("trailing comma") << "12," << "12,00";
        QTest::newRow("blanks around") << " \t12,5 " << "12,50";
        QTest::newRow("zero") << "0" << "0,00";
        QTest::newRow("leading zeros") << "007,5" << "7,50";
        QTest::newRow("trailing zeros dropped") << "12,30000" << "12,30";
        QTest::newRow("four decimals kept") << "12,3456" << "12,3456";
        QTest::newRow("below half rounds to zero") << "0,00004" << "0,00";
        QTest::newRow("carry into the whole part") << "12,99995" << "13,00";
        QTest::newRow("digits after the fifth do not matter") << "0,000049999" << "0,00";
        // Exactly half is rounded up, also where a binary double holds slightly less than half.
        QTest::newRow("mend 0,00015") << "0,00015" << "0,0002";
        QTest::newRow("mend 0,00845") << "0,00845" << "0,0085";
        QTest::newRow("mend 0,02005") << "0,02005" << "0,0201";
        // Signs.
        QTest::newRow("plus") << "+5" << "5,00";
        QTest::newRow("plus comma") << "+,5" << "0,50";
        QTest::newRow("minus") << "-12,5" << "-12,50";
        QTest::newRow("minus half away from zero") << "-12,34565" << "-12,3457";
        QTest::newRow("minus rounding to zero has no sign") << "-0,00004" << "0,00";
        QTest::newRow("minus zero") << "-0" << "0,00";
        // Not numbers.
        QTest::newRow("dot is not a separator") << "1.5" << "0,00";
        QTest::newRow("thousands dot") << "1.234,5" << "0,00";
        QTest::newRow("blank inside") << "1 000" << "0,00";
        QTest::newRow("exponent") << "1e3" << "0,00";
        QTest::newRow("letter after") << "12,5a" << "0,00";
        QTest::newRow("sign alone") << "-" << "0,00";
        QTest::newRow("two signs") << "--5" << "0,00";
        QTest::newRow("sign after blank") << "- 5" << "0,00";
        QTest::newRow("euro sign") << QString::fromUtf8("€ 5") << "0,00";
        QTest::newRow("arabic-indic digit") << QString::fromUtf8("\u0663") << "0,00";
        QTest::newRow("fullwidth digit") << QString::fromUtf8("\uFF15") << "0,00";
        // Long texts.
        QTest::newRow("largest readable") << "922337203685477,5807" << "922337203685477,5807";
        QTest::newRow("largest negative") << "-922337203685477,5807" << "-922337203685477,5807";
        QTest::newRow("one unit too large") << "922337203685477,5808" << "0,00";
        QTest::newRow("rounding past the limit") << "922337203685477,58075" << "0,00";
        QTest::newRow("fifteen nines") << "999999999999999" << "0,00";
        QTest::newRow("many digits") << QString(60, u'9') << "0,00";
        QTest::newRow("many leading zeros") << QString(60, u'0') + "1,5" << "1,50";
        QTest::newRow("many decimals") << "1," + QString(60, u'0') + "9" << "1,00";
        QTest::newRow("many decimals rounding") << "1,9999" + QString(60, u'9') << "2,00";
    }
    void fourDecimalEntry() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QCOMPARE(normaliseAmount(typed), shown);
        // What is shown is already normal: leaving the field again changes nothing.
        QCOMPARE(normaliseAmount(shown), shown);
    }

    void twoDecimalEntry_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        // The examples of the transfer registers.
        QTest::newRow("whole") << "12" << "12,00";
        QTest::newRow("one decimal") << "12,5" << "12,50";
        QTest::newRow("three decimals round") << "12,346" << "12,35";
        QTest::newRow("leading comma") << ",5" << "0,50";
        QTest::newRow("two commas") << "1,2,3" << "0,00";
        QTest::newRow("seven") << "7" << "7,00";
        QTest::newRow("1250,5") << "1250,5" << "1250,50";
        QTest::newRow("0,004") << "0,004" << "0,00";
        QTest::newRow("empty") << "" << "0,00";
        QTest::newRow("blanks") << "  " << "0,00";
        QTest::newRow("comma alone") << "," << "0,00";
        QTest::newRow("trailing comma") << "12," << "12,00";
        QTest::newRow("two decimals kept") << "0,07" << "0,07";
        // Exactly half is rounded up (a binary double gives 12,34, 1,00 and 0,28).
        QTest::newRow("mend 12,345") << "12,345" << "12,35";
        QTest::newRow("mend 1,005") << "1,005" << "1,01";
        QTest::newRow("mend 0,285") << "0,285" << "0,29";
        QTest::newRow("half of a cent") << "0,005" << "0,01";
        QTest::newRow("carry") << "12,995" << "13,00";
        // Rounded once from the digits typed, never via four decimals.
        QTest::newRow("no double rounding") << "12,34499" << "12,34";
        QTest::newRow("minus") << "-1,005" << "-1,01";
        QTest::newRow("minus rounding to zero") << "-0,004" << "0,00";
        QTest::newRow("dot") << "12.5" << "0,00";
        QTest::newRow("letters") << "abc" << "0,00";
        QTest::newRow("too large") << "922337203685478" << "0,00";
        QTest::newRow("largest whole part") << "922337203685477" << "922337203685477,00";
    }
    void twoDecimalEntry() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QCOMPARE(normaliseAmount2(typed), shown);
        QCOMPARE(normaliseAmount2(shown), shown);
    }

    void parseKeepsTenThousandths_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<qint64>("units");
        QTest::newRow("1,5") << "1,5" << 4 << qint64(15000);
        QTest::newRow("12,345 in four") << "12,345" << 4 << qint64(123450);
        QTest::newRow("12,345 in two") << "12,345" << 2 << qint64(123500);
        QTest::newRow("12,5 in none") << "12,5" << 0 << qint64(130000);
        QTest::newRow("12,49 in none") << "12,49" << 0 << qint64(120000);
        QTest::newRow("-2,5 in none") << "-2,5" << 0 << qint64(-30000);
        QTest::newRow("decimals above four read as four") << "0,00005" << 9 << qint64(1);
    }
    void parseKeepsTenThousandths() {
        QFETCH(QString, text);
        QFETCH(int, decimals);
        QFETCH(qint64, units);
        const std::optional<Amount> a = Amount::parse(text, decimals);
        QVERIFY(a.has_value());
        QCOMPARE(a->units(), units);
    }

    void unreadableTextsHaveNoValue() {
        for (const char* text : {"", " ", ",", "+", "1,2,3", "1.5", "x", "1 2", "99999999999999999999"})
            QVERIFY2(!Amount::parse(QString::fromLatin1(text)).has_value(), text);
    }

    void printedForms() {
        QCOMPARE(Amount().text(), QString("0,00"));
        QCOMPARE(Amount::fromUnits(1).text(), QString("0,0001"));
        QCOMPARE(Amount::fromUnits(-1).text(), QString("-0,0001"));
        QCOMPARE(Amount::fromUnits(123450).text2(), QString("12,35"));
        QCOMPARE(Amount::fromUnits(-123450).text2(), QString("-12,35"));
        QCOMPARE(Amount::fromUnits(123449).text2(), QString("12,34"));
        QCOMPARE(Amount::fromUnits(-49).text2(), QString("0,00"));
        QCOMPARE(Amount::fromUnits(kMax).text(), QString("922337203685477,5807"));
        QCOMPARE(Amount::fromUnits(kMax).text2(), QString("922337203685477,58"));
        QCOMPARE(Amount::fromUnits(kMax - 7).text2(), QString("922337203685477,58"));
        // The lowest 64-bit value is taken as its neighbour, so its magnitude prints.
        QCOMPARE(Amount::fromUnits(std::numeric_limits<qint64>::min()).text(),
                 QString("-922337203685477,5807"));
    }

    void sumsThatDoNotFitAreRefused() {
        QVERIFY(!Amount::fromUnits(kMax).plus(Amount::fromUnits(1)).has_value());
        QVERIFY(!Amount::fromUnits(-kMax).plus(Amount::fromUnits(-1)).has_value());
        QCOMPARE(Amount::fromUnits(kMax).plus(Amount::fromUnits(-kMax))->units(), qint64(0));
    }

    void totals_data() {
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<QString>("total");
        QTest::newRow("nothing listed") << QStringList{} << "0,00";
        QTest::newRow("fee rates") << QStringList{"10,50", "20,25"} << "30,75";
        QTest::newRow("thirds") << QStringList{"0,3333", "0,3333", "0,3334"} << "1,00";
        QTest::newRow("no binary fraction") << QStringList{"0,10", "0,20"} << "0,30";
        QTest::newRow("ten dimes") << QStringList(10, "0,10") << "1,00";
        QTest::newRow("one transfer") << QStringList{"1250,50"} << "1250,50";
        QTest::newRow("four decimals kept") << QStringList{"0,0001", "1,00"} << "1,0001";
        QTest::newRow("stored with blanks") << QStringList{" 5,00 ", "5"} << "10,00";
        QTest::newRow("negative") << QStringList{"-5,00", "2,50"} << "-2,50";
        QTest::newRow("many cents")
            << QStringList(1000, "0,01") << "10,00";
    }
    void totals() {
        QFETCH(QStringList, amounts);
        QFETCH(QString, total);
        AmountTotal sum;
        for (const QString& a : amounts) QVERIFY2(sum.add(a), qPrintable(a));
        QCOMPARE(sum.text(), total);
    }

    void totalRefusesUnreadableAmountAndKeepsItsValue() {
        AmountTotal sum;
        QVERIFY(sum.add(u"10,50"));
        QVERIFY(!sum.add(u""));
        QVERIFY(!sum.add(u"abc"));
        QVERIFY(!sum.add(u"1.5"));
        QCOMPARE(sum.text(), QString("10,50"));
        QVERIFY(sum.add(Amount::fromUnits(kMax - 105000)));
        QVERIFY(!sum.add(u"0,0001"));  // would not fit
        QCOMPARE(sum.value().units(), kMax);
    }
};

CAL_TEST_MAIN(TestAmount)
#include "tst_amount.moc"
