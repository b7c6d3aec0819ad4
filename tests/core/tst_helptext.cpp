// The reading rule of the help topic files: paragraphs joined from their lines, "## " lines as
// headings, and the blocks written back in the same format.
#include "core/HelpText.h"
#include "testlib/CalTest.h"

using namespace cal;

namespace {

// A block as one line of the table: a heading with its marker, a paragraph as it is.
QStringList shapes(const QList<HelpBlock>& blocks) {
    QStringList out;
    for (const HelpBlock& b : blocks) out << (b.kind == HelpBlock::Heading ? "## " + b.text : b.text);
    return out;
}

}  // namespace

class TestHelpText : public QObject {
    Q_OBJECT
private slots:
    void readsHeadingsAndParagraphs_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("blocks");
        QTest::newRow("paragraphs alone") << "Uno,\ndue.\n\nTre." << QStringList{"Uno, due.", "Tre."};
        QTest::newRow("CR LF and blank lines")
            << "\r\n  Uno  \r\n\r\n \t \r\n\r\nDue.\r\n" << QStringList{"Uno", "Due."};
        QTest::newRow("heading between empty lines")
            << "Intro.\n\n## Inserire una scheda\n\nPremere Nuova." << QStringList{"Intro.", "## Inserire una scheda", "Premere Nuova."};
        QTest::newRow("heading ends the paragraph above, starts the one below")
            << "Prima riga\n## Titolo\nseconda riga\nterza" << QStringList{"Prima riga", "## Titolo", "seconda riga terza"};
        QTest::newRow("heading first, indented, CR LF")
            << "  ## Comandi  \r\nCtrl+N" << QStringList{"## Comandi", "Ctrl+N"};
        QTest::newRow("two headings in a row") << "## A\n## B\nTesto" << QStringList{"## A", "## B", "Testo"};
        QTest::newRow("marker without a blank is text")
            << "##Titolo\n#3 e # nel testo" << QStringList{"##Titolo #3 e # nel testo"};
        QTest::newRow("marker further in the line is text")
            << "Premere ## per il titolo" << QStringList{"Premere ## per il titolo"};
        QTest::newRow("empty heading is dropped") << "Uno\n##   \nDue" << QStringList{"Uno", "Due"};
        QTest::newRow("markup is plain text") << "## <b> & </b>\nA < B & C" << QStringList{"## <b> & </b>", "A < B & C"};
        QTest::newRow("nothing") << "\n\n" << QStringList{};
    }
    void readsHeadingsAndParagraphs() {
        QFETCH(QString, text);
        QFETCH(QStringList, blocks);
        const QList<HelpBlock> read = helpBlocks(text);
        QCOMPARE(shapes(read), blocks);
        // Written back, with one empty line between blocks, the same blocks are read again.
        const QString written = helpBlocksText(read);
        QCOMPARE(written, blocks.join("\r\n\r\n"));
        QCOMPARE(helpBlocks(written), read);
    }
};

CAL_TEST_MAIN(TestHelpText)
#include "tst_helptext.moc"
