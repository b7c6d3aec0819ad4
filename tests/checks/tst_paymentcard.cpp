// The payment card check (Luhn formula) and the kind of card.
#include "checks/PaymentCard.h"
#include "testlib/CalTest.h"

using namespace cal;

class TestPaymentCard : public QObject {
    Q_OBJECT
private slots:
    // The test numbers that the card networks publish, and a few short numbers.
    void checkResultAndKind_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("kind");
        const QString diners = QStringLiteral("Diner's Club / Carte Blanche");
        QTest::newRow("Visa") << "4111111111111111" << 2 << "Visa";
        QTest::newRow("Visa 2") << "4012888888881881" << 2 << "Visa";
        QTest::newRow("Visa 13 digits") << "4222222222222" << 2 << "Visa";
        QTest::newRow("Visa 19 digits") << "4000000000000000121" << 2 << "Visa";
        QTest::newRow("MasterCard") << "5555555555554444" << 3 << "MasterCard";
        QTest::newRow("MasterCard 2") << "5105105105105100" << 3 << "MasterCard";
        QTest::newRow("American Express 37") << "378282246310005" << 1 << "American Express";
        QTest::newRow("American Express 37, 2") << "371449635398431" << 1 << "American Express";
        QTest::newRow("American Express corporate") << "378734493671000" << 1 << "American Express";
        QTest::newRow("Diners 30") << "30569309025904" << 1 << diners;
        QTest::newRow("Diners 38") << "38520000023237" << 1 << diners;
        QTest::newRow("Diners 36") << "36227206271667" << 1 << diners;
        QTest::newRow("Discover") << "6011111111111117" << 4 << "Discover";
        QTest::newRow("Discover 2") << "6011000990139424" << 4 << "Discover";
        QTest::newRow("JCB 35") << "3530111333300000" << 1 << "JCB";
        QTest::newRow("JCB 35, 2") << "3566002020360505" << 1 << "JCB";
        QTest::newRow("34 two digits") << "34" << 1 << "American Express";
        QTest::newRow("42 two digits") << "42" << 2 << "Visa";
        // Numbers that pass the check but have no kind or a rejected first digit.
        QTest::newRow("32 passes, no kind") << "3200000000000002" << 1 << QString();
        QTest::newRow("39 passes, no kind") << "3900000000000005" << 1 << QString();
        QTest::newRow("2-series passes, result 0") << "2223003122003222" << 0 << QString();
        QTest::newRow("0 alone") << "0" << -2 << QString();
        QTest::newRow("first digit 1") << "18" << -1 << QString();
        QTest::newRow("first digit 1, long") << "10000000000008" << -1 << QString();
        QTest::newRow("first digit 7") << "79927398713" << 5 << QString();
        QTest::newRow("first digit 8") << "800000000000002" << 6 << QString();
        QTest::newRow("first digit 9") << "900000000000001" << 7 << QString();
        // Numbers that fail the check.
        QTest::newRow("Visa, last digit changed") << "4111111111111112" << 0 << QString();
        QTest::newRow("MasterCard, digits swapped") << "5555555555545444" << 0 << QString();
        QTest::newRow("Amex, last digit changed") << "378282246310006" << 0 << QString();
        QTest::newRow("a single 3") << "3" << 0 << QString();
        QTest::newRow("41") << "41" << 0 << QString();
    }
    void checkResultAndKind() {
        QFETCH(QString, number);
        QFETCH(int, result);
        QFETCH(QString, kind);
        QCOMPARE(CardCheckResult(number), result);
        QCOMPARE(CardKindName(result, number), kind);
    }

    // For each network's number, every other last digit fails the check.
    void everyOtherLastDigitFails_data() {
        QTest::addColumn<QString>("number");
        QTest::newRow("Visa") << "4111111111111111";
        QTest::newRow("MasterCard") << "5555555555554444";
        QTest::newRow("Amex") << "378282246310005";
        QTest::newRow("Diners") << "30569309025904";
        QTest::newRow("Discover") << "6011111111111117";
        QTest::newRow("JCB") << "3530111333300000";
    }
    void everyOtherLastDigitFails() {
        QFETCH(QString, number);
        QVERIFY(CardCheckResult(number) != 0);
        const QChar right = number.back();
        for (char16_t d = u'0'; d <= u'9'; ++d) {
            if (QChar(d) == right) continue;
            QString changed = number;
            changed.back() = QChar(d);
            QCOMPARE(CardCheckResult(changed), 0);
        }
    }

    // Only the digits 0 to 9 are judged; everything else in the text is skipped.
    void onlyDigitsAreJudged_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("kind");
        QTest::newRow("empty") << QString() << 0 << QString();
        QTest::newRow("blanks only") << "    " << 0 << QString();
        QTest::newRow("letters only") << "VISA" << 0 << QString();
        QTest::newRow("groups of four") << "4111 1111 1111 1111" << 2 << "Visa";
        QTest::newRow("Amex groups") << "3782 822463 10005" << 1 << "American Express";
        QTest::newRow("blanks around") << "  5555555555554444  " << 3 << "MasterCard";
        QTest::newRow("hyphens") << "6011-1111-1111-1117" << 4 << "Discover";
        QTest::newRow("blank between the first two digits") << "3 782822463 10005" << 1 << "American Express";
        QTest::newRow("letters among digits") << "4111x1111y1111z1111" << 2 << "Visa";
        QTest::newRow("accented letters among digits") << QString::fromUtf8("4111È1111à1111ì1111") << 2 << "Visa";
        QTest::newRow("arabic-indic digits are not digits") << QString::fromUtf8("٤١١١١١١١١١١١١١١١") << 0 << QString();
        QTest::newRow("fullwidth digit skipped") << QString::fromUtf8("4111111111111111４") << 2 << "Visa";
        // Every digit counts, wherever it stands: a verdict on a leading part only would be a
        // verdict on a number other than the one shown.
        QTest::newRow("19 digits in groups, past 20 characters") << "4000 0000 0000 0000 121" << 2 << "Visa";
        QTest::newRow("valid 16 digits and one more, past 20") << "4111 1111 1111 1111 1" << 0 << QString();
        QTest::newRow("a long run of digits") << QString(200, u'0') + "42" << -2 << QString();
    }
    void onlyDigitsAreJudged() {
        QFETCH(QString, text);
        QFETCH(int, result);
        QFETCH(QString, kind);
        QCOMPARE(CardCheckResult(text), result);
        QCOMPARE(CardKindName(result, text), kind);
    }

    void kindNeedsAResultFromOneToFour() {
        const QString amex = QStringLiteral("378282246310005");
        for (int result : {-2, -1, 0, 5, 6, 7, 100})
            QCOMPARE(CardKindName(result, amex), QString());
        QCOMPARE(CardKindName(1, u""), QString());
        QCOMPARE(CardKindName(1, u"3"), QString());
        QCOMPARE(CardKindName(1, u"43"), QString());
    }
};

CAL_TEST_MAIN(TestPaymentCard)
#include "tst_paymentcard.moc"
