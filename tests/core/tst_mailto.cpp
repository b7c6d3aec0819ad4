// The "mailto:" address of an e-mail field: only the address goes to the mail program.
#include "core/Text.h"
#include "testlib/CalTest.h"

using namespace cal;

class TestMailto : public QObject {
    Q_OBJECT
private slots:
    void onlyTheAddressIsPassed_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("target");
        QTest::newRow("address") << "rossi@example.it" << "mailto:rossi@example.it";
        QTest::newRow("blanks around") << "  rossi@example.it \t" << "mailto:rossi@example.it";
        QTest::newRow("attachment") << "a@b.it?attach=/etc/passwd" << "mailto:a@b.it";
        QTest::newRow("headers") << "a@b.it?cc=x@y.it&subject=s&body=b" << "mailto:a@b.it";
        QTest::newRow("blank before the query") << "a@b.it ?body=x" << "mailto:a@b.it";
        QTest::newRow("query only") << "?attach=/etc/passwd" << "mailto:";
        QTest::newRow("empty") << "" << "mailto:";
        QTest::newRow("accented") << QString::fromUtf8("città@example.it") << QString::fromUtf8("mailto:città@example.it");
    }
    void onlyTheAddressIsPassed() {
        QFETCH(QString, field);
        QFETCH(QString, target);
        QCOMPARE(mailtoTarget(field), target);
    }
};

CAL_TEST_MAIN(TestMailto)
#include "tst_mailto.moc"
