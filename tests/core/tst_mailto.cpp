// The "mailto:" address of an e-mail field: only the address goes to the mail program. The
// address of a web-address field: only a web address goes to the browser.
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

    void onlyWebAddressesGoToTheBrowser_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("target");  // empty: no web address, nothing opened
        QTest::newRow("https") << "https://www.example.org/a?b=c#d" << "https://www.example.org/a?b=c#d";
        QTest::newRow("http, blanks around") << "  http://example.it  " << "http://example.it";
        QTest::newRow("scheme in capitals") << "HTTPS://Example.org" << "HTTPS://Example.org";
        QTest::newRow("no scheme") << "www.example.org" << "http://www.example.org";
        QTest::newRow("no scheme, path") << "example.org/articoli/1" << "http://example.org/articoli/1";
        QTest::newRow("no scheme, port") << "www.example.org:8080/x" << "http://www.example.org:8080/x";
        QTest::newRow("localhost with port") << "localhost:8080" << "http://localhost:8080";
        QTest::newRow("the field's start") << "https://" << "https://";
        QTest::newRow("absolute path") << "/etc/passwd" << "";
        QTest::newRow("home path") << "~/Scrivania/avvia.desktop" << "";
        QTest::newRow("relative path") << "./avvia.sh" << "";
        QTest::newRow("launcher") << "/usr/share/applications/xterm.desktop" << "";
        QTest::newRow("file address") << "file:///etc/passwd" << "";
        QTest::newRow("file address, capitals") << "FILE:///etc/passwd" << "";
        QTest::newRow("mailto with attachment") << "mailto:a@b.it?attach=/etc/passwd" << "";
        QTest::newRow("javascript") << "javascript:alert(1)" << "";
        QTest::newRow("other scheme") << "ftp://example.org/x" << "";
        QTest::newRow("drive letter") << "C:/Windows/system32/calc.exe" << "";
        QTest::newRow("network share") << "\\\\server\\share" << "";
        QTest::newRow("http without slashes") << "http:example.org" << "";
        QTest::newRow("blank inside") << "www.example .org" << "";
        QTest::newRow("a word") << "articolo" << "";
        QTest::newRow("empty") << "" << "";
    }
    void onlyWebAddressesGoToTheBrowser() {
        QFETCH(QString, field);
        QFETCH(QString, target);
        QCOMPARE(webTarget(field).value_or(QString()), target);
    }
};

CAL_TEST_MAIN(TestMailto)
#include "tst_mailto.moc"
