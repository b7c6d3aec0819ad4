// The article card document: exact bytes, escaping of values, line breaks, atomic write.
#include "articles/ArticleCard.h"
#include "core/RtfWriter.h"
#include "testlib/CalTest.h"

#include <QDir>

using namespace cal;

namespace {

const QByteArray kStart =
    R"({\rtf1\ansi\ansicpg1252\deff0\deflang1040{\fonttbl{\f0\fnil\fcharset0 Verdana;}{\f1\fnil Verdana;}})"
    R"({\colortbl ;\red0\green0\blue0;})"
    R"(\viewkind4\uc1\pard\qc\cf1\b\f0\fs24 SCHEDA ARTICOLO\f1\fs16)"
    R"(\par \fs24 ________________________________________________)"
    R"(\par)";

QStringList folderEntries(const QString& path) {
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

ArticleCard fullCard() {
    ArticleCard card;
    card.txtTitolo = QString::fromUtf8("  Perché l'euro € vale  ");
    card.txtDataPub = "01/02/2023";
    card.txtGenere = "Economia";
    card.txtAutore = "Rossi & Figli";
    card.txtTestata = "Il Sole {24} Ore";
    card.txtNumTestata = "n. 5\\2023";
    card.txtTesto = QString::fromUtf8("Primo paragrafo.\r\nSecondo, città.\n\nTerzo\rfine.\r\n");
    card.txtSintesi = "";
    card.txtValutazione = QString::fromUtf8("★★★ ottimo");
    card.txtSito = "https://esempio.it/a?b=1&c={x}";
    card.txtNote = "Nota finale }";
    return card;
}

}  // namespace

class TestRtfWriter : public QObject {
    Q_OBJECT
private slots:
    void valueText_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("plain") << "Prova" << QByteArray("Prova");
        QTest::newRow("empty") << "" << QByteArray();
        QTest::newRow("backslash and braces") << "a\\b{c}d" << QByteArray(R"(a\\b\{c\}d)");
        QTest::newRow("typed control word stays text") << "\\par {\\b x}" << QByteArray(R"(\\par \{\\b x\})");
        QTest::newRow("CR LF") << "uno\r\ndue" << QByteArray(R"(uno\par due)");
        QTest::newRow("lone LF") << "uno\ndue" << QByteArray(R"(uno\par due)");
        QTest::newRow("lone CR") << "uno\rdue" << QByteArray(R"(uno\par due)");
        QTest::newRow("LF then CR is two breaks") << "uno\n\rdue" << QByteArray(R"(uno\par \par due)");
        QTest::newRow("empty line between paragraphs") << "uno\r\n\r\ndue" << QByteArray(R"(uno\par \par due)");
        QTest::newRow("indent of a line kept") << "uno\n  due" << QByteArray(R"(uno\par   due)");
        QTest::newRow("breaks and blanks at the ends trimmed") << "\r\n  uno \r\n\t" << QByteArray("uno");
        QTest::newRow("tab inside kept") << "a\tb" << QByteArray("a\tb");
        QTest::newRow("accents and euro as code page bytes")
            << QString::fromUtf8("Città è € “x”") << QByteArray("Citt\xE0 \xE8 \x80 \x93x\x94");
        QTest::newRow("outside the code page") << QString::fromUtf8("Ω😀 ok") << QByteArray("?? ok");
    }
    void valueText() {
        QFETCH(QString, value);
        QFETCH(QByteArray, expected);
        QCOMPARE(rtfText(value), expected);
    }

    void cardWithTitleOnly() {
        ArticleCard card;
        card.txtTitolo = "Prova";
        const QByteArray expected = kStart +
            R"(\par \pard\f0\fs20 Titolo articolo:\b0\f1  \f0 Prova\par)"
            R"(\par \b Data pubblicazione:\b0\f1  \f0 \par)"
            R"(\par \b Genere:\b0\f1  \f0 \par)"
            R"(\par \b Nome autore:\b0\f1  \f0 \par)"
            R"(\par \b Nome testata:\b0\f1  \f0 \par)"
            R"(\par \b Numero testata:\b0\f1  \f0 \par)"
            R"(\par \b Testo articolo:\b0\f1  \f0 \par)"
            R"(\par \b Sintesi:\b0\f1  \f0 \par)"
            R"(\par \b Valutazione:\b0\f1  \f0 \par)"
            R"(\par \b Link:\b0\f1  \f0 \par)"
            R"(\par \b Note:\b0\f1  \f0 \b\par)"
            R"(\par })";
        QCOMPARE(articleCardRtf(card), expected);
    }

    void fullCardWithAccentsBracesAndParagraphs() {
        const QByteArray expected = kStart +
            R"(\par \pard\f0\fs20 Titolo articolo:\b0\f1  \f0 Perch)" "\xE9" R"( l'euro )" "\x80" R"( vale\par)"
            R"(\par \b Data pubblicazione:\b0\f1  \f0 01/02/2023\par)"
            R"(\par \b Genere:\b0\f1  \f0 Economia\par)"
            R"(\par \b Nome autore:\b0\f1  \f0 Rossi & Figli\par)"
            R"(\par \b Nome testata:\b0\f1  \f0 Il Sole \{24\} Ore\par)"
            R"(\par \b Numero testata:\b0\f1  \f0 n. 5\\2023\par)"
            R"(\par \b Testo articolo:\b0\f1  \f0 Primo paragrafo.\par Secondo, citt)" "\xE0"
            R"(.\par \par Terzo\par fine.\par)"
            R"(\par \b Sintesi:\b0\f1  \f0 \par)"
            R"(\par \b Valutazione:\b0\f1  \f0 ??? ottimo\par)"
            R"(\par \b Link:\b0\f1  \f0 https://esempio.it/a?b=1&c=\{x\}\par)"
            R"(\par \b Note:\b0\f1  \f0 Nota finale \}\b\par)"
            R"(\par })";
        const QByteArray bytes = articleCardRtf(fullCard());
        QCOMPARE(bytes, expected);
        QVERIFY(!bytes.contains('\n'));
        QVERIFY(!bytes.contains('\r'));
    }

    void writeReplacesAnOlderLongerFile() {
        caltest::ProgramFolder folder;
        const QString path = folder.path(QString::fromUtf8(kArticleCardFile.data(), kArticleCardFile.size()));
        QVERIFY(caltest::writeAll(path, QByteArray(50000, 'x')));
        QVERIFY(writeArticleCard(path, fullCard()));
        QCOMPARE(caltest::readAll(path), articleCardRtf(fullCard()));
        QCOMPARE(folderEntries(folder.dir.path()), QStringList{"Scheda_Articolo.rtf"});
    }

    void readOnlyFolderFailsAndLeavesNothing() {
        caltest::ProgramFolder folder;
        {
            CAL_READ_ONLY(guard, folder.dir.path());
            QVERIFY(!writeArticleCard(folder.path("Scheda_Articolo.rtf"), fullCard()));
        }
        QVERIFY(folderEntries(folder.dir.path()).isEmpty());
    }

    void failedWriteKeepsTheOlderFile() {
        caltest::ProgramFolder folder;
        const QString path = folder.path("Scheda_Articolo.rtf");
        const QByteArray older = R"({\rtf1 older card\par })";
        QVERIFY(caltest::writeAll(path, older));
        {
            CAL_READ_ONLY(guard, folder.dir.path());
            QVERIFY(!writeArticleCard(path, fullCard()));
        }
        QCOMPARE(caltest::readAll(path), older);
        QCOMPARE(folderEntries(folder.dir.path()), QStringList{"Scheda_Articolo.rtf"});
    }

    void missingFolderFails() {
        caltest::ProgramFolder folder;
        QVERIFY(!writeArticleCard(folder.path("manca/Scheda_Articolo.rtf"), fullCard()));
        QVERIFY(folderEntries(folder.dir.path()).isEmpty());
    }
};

CAL_TEST_MAIN(TestRtfWriter)
#include "tst_rtfwriter.moc"
