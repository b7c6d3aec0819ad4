// Date texts "dd/mm/yyyy": which texts are dates, conversion both ways, comparison as dates.
#include "core/DateText.h"
#include "testlib/CalTest.h"

using namespace cal;

class TestDateText : public QObject {
    Q_OBJECT
private slots:
    void validity_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");  // invalid QDate: not a date text
        QTest::newRow("ordinary") << "05/03/2024" << QDate(2024, 3, 5);
        QTest::newRow("last of april") << "30/04/2024" << QDate(2024, 4, 30);
        QTest::newRow("31 april") << "31/04/2024" << QDate();
        QTest::newRow("31 february") << "31/02/2024" << QDate();
        QTest::newRow("29 february leap") << "29/02/2024" << QDate(2024, 2, 29);
        QTest::newRow("29 february common") << "29/02/2023" << QDate();
        QTest::newRow("29 february 1900") << "29/02/1900" << QDate();
        QTest::newRow("29 february 2000") << "29/02/2000" << QDate(2000, 2, 29);
        QTest::newRow("day 00") << "00/01/2024" << QDate();
        QTest::newRow("month 00") << "01/00/2024" << QDate();
        QTest::newRow("day 32") << "32/01/2024" << QDate();
        QTest::newRow("month 13") << "01/13/2024" << QDate();
        QTest::newRow("year 0000") << "01/01/0000" << QDate();
        QTest::newRow("year 0001") << "01/01/0001" << QDate(1, 1, 1);
        QTest::newRow("year 9999") << "31/12/9999" << QDate(9999, 12, 31);
        QTest::newRow("blanks around") << "  05/03/2024 " << QDate(2024, 3, 5);
        QTest::newRow("one-digit day") << "5/03/2024" << QDate();
        QTest::newRow("one-digit parts") << "5/3/2024" << QDate();
        QTest::newRow("two-digit year") << "05/03/24" << QDate();
        QTest::newRow("dashes") << "05-03-2024" << QDate();
        QTest::newRow("iso order") << "2024/03/05" << QDate();
        QTest::newRow("empty") << "" << QDate();
        QTest::newRow("text after") << "05/03/2024x" << QDate();
        QTest::newRow("blank inside") << "05/03/ 024" << QDate();
        QTest::newRow("sign") << "+5/03/2024" << QDate();
        QTest::newRow("negative year") << "05/03/-024" << QDate();
        QTest::newRow("letters") << "gg/mm/aaaa" << QDate();
        QTest::newRow("fullwidth digits") << QString::fromUtf8("０５/03/2024") << QDate();
    }
    void validity() {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        const std::optional<QDate> parsed = parseDateText(text);
        QCOMPARE(parsed.has_value(), date.isValid());
        QCOMPARE(isValidDateText(text), date.isValid());
        if (parsed) {
            QCOMPARE(*parsed, date);
            QCOMPARE(dateText(*parsed), text.trimmed());  // and back to the same text
        }
    }

    void dateToText_data() {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        QTest::newRow("padded") << QDate(2024, 3, 5) << "05/03/2024";
        QTest::newRow("two-digit parts") << QDate(2023, 12, 31) << "31/12/2023";
        QTest::newRow("small year padded") << QDate(33, 1, 1) << "01/01/0033";
        QTest::newRow("invalid date") << QDate() << "";
        QTest::newRow("year 10000") << QDate(10000, 1, 1) << "";
        QTest::newRow("year before 1") << QDate(-1, 1, 1) << "";
    }
    void dateToText() {
        QFETCH(QDate, date);
        QFETCH(QString, text);
        QCOMPARE(dateText(date), text);
    }

    void comparison_data() {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("order");  // -1, 0, 1; 2 when not comparable
        QTest::newRow("day first in text, not in time") << "02/01/2024" << "10/01/2023" << 1;
        QTest::newRow("year boundary") << "31/12/2023" << "01/01/2024" << -1;
        QTest::newRow("month before day") << "12/01/2024" << "05/03/2024" << -1;
        QTest::newRow("equal") << "05/03/2024" << "05/03/2024" << 0;
        QTest::newRow("equal with blanks") << " 05/03/2024" << "05/03/2024 " << 0;
        QTest::newRow("left invalid") << "31/02/2024" << "01/01/2024" << 2;
        QTest::newRow("right invalid") << "01/01/2024" << "" << 2;
    }
    void comparison() {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, order);
        const std::optional<std::strong_ordering> cmp = compareDateTexts(a, b);
        if (order == 2) {
            QVERIFY(!cmp.has_value());
            return;
        }
        QVERIFY(cmp.has_value());
        const int got = *cmp < 0 ? -1 : (*cmp > 0 ? 1 : 0);
        QCOMPARE(got, order);
        // Swapping the texts reverses the order.
        const std::optional<std::strong_ordering> back = compareDateTexts(b, a);
        QVERIFY(back.has_value());
        QCOMPARE(*back < 0 ? -1 : (*back > 0 ? 1 : 0), -order);
    }

    void todayIsTheSystemDate() {
        const QDate before = QDate::currentDate();
        const QString today = todayText();
        const QDate after = QDate::currentDate();
        QVERIFY(today == dateText(before) || today == dateText(after));
        QCOMPARE(today.size(), 10);
        QVERIFY(isValidDateText(today));
    }
};

CAL_TEST_MAIN(TestDateText)
#include "tst_datetext.moc"
