// The spreadsheet export file: exact bytes, escaping, trimming, and the atomic write.
#include "core/Record.h"
#include "core/SpreadsheetWriter.h"
#include "testlib/CalTest.h"

#include <QDir>

using namespace cal;

namespace {

constexpr ExportColumn kTwoColumns[] = {{"Titolo articolo", 300}, {"Data pubblicazione", 150}};

// Everything before the worksheet name, typed out as the file must hold it.
const QByteArray kBeforeName =
    "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
    "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
    "xmlns=\"http://www.w3.org/TR/REC-html40\">"
    "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
    "<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet><x:Name>";
const QByteArray kAfterName =
    "</x:Name><x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1</x:Number>"
    "<x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes><x:ProtectContents>False</x:ProtectContents>"
    "<x:ProtectObjects>False</x:ProtectObjects><x:ProtectScenarios>False</x:ProtectScenarios>"
    "</x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets></x:ExcelWorkbook>"
    "</xml><![endif]--></head><body><table x:str>";
const QByteArray kTwoColumnHeader =
    "<tr><td style=\"text-align: left; font-weight: bold;\" width=300>Titolo articolo</td>"
    "<td style=\"text-align: left; font-weight: bold;\" width=150>Data pubblicazione</td></tr>";
const QByteArray kEnd = "</table></body></html>";

QByteArray file(const QByteArray& sheet, const QByteArray& header, const QByteArray& rows) {
    return kBeforeName + sheet + kAfterName + header + rows + kEnd;
}

QByteArray row2(const QByteArray& a, const QByteArray& b) {
    return "<tr><td style=\"text-align: left;\">" + a + "</td><td style=\"text-align: left;\">" + b +
           "</td></tr>";
}

// A data cell as the file holds it: digit strings carry the text number format.
QByteArray cell(const QByteArray& text, bool digits) {
    return (digits ? "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">" : "<td style=\"text-align: left;\">") +
           text + "</td>";
}

QStringList folderEntries(const QString& path) {
    return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// A grid of `count` rows of 25 cells with varied texts.
QList<QStringList> manyRows(int count) {
    QList<QStringList> rows;
    for (int r = 0; r < count; ++r) {
        QStringList row;
        for (int c = 0; c < 25; ++c)
            row << QString::fromUtf8(" Città %1 & <%2> € ").arg(r).arg(c);
        rows << row;
    }
    return rows;
}

constexpr ExportColumn kBooks[25] = {
    {"A", 100}, {"B", 100}, {"C", 100}, {"D", 100}, {"E", 100}, {"F", 100}, {"G", 100},
    {"H", 100}, {"I", 100}, {"J", 100}, {"K", 100}, {"L", 100}, {"M", 100}, {"N", 100},
    {"O", 100}, {"P", 100}, {"Q", 100}, {"R", 100}, {"S", 100}, {"T", 100}, {"U", 100},
    {"V", 100}, {"W", 100}, {"X", 100}, {"Y", 350}};

}  // namespace

class TestSpreadsheetWriter : public QObject {
    Q_OBJECT
private slots:
    void fileBytes_data() {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("empty export: header and ten empty rows")
            << "Riepilogo Articoli" << QList<QStringList>(10)
            << file("Riepilogo Articoli", kTwoColumnHeader, row2("", "").repeated(10));
        QTest::newRow("no rows at all")
            << "Riepilogo Articoli" << QList<QStringList>()
            << file("Riepilogo Articoli", kTwoColumnHeader, "");
        QTest::newRow("accents and euro sign")
            << QString::fromUtf8("Perché")
            << QList<QStringList>{{QString::fromUtf8("Città"), QString::fromUtf8("€ 1.234,56")},
                                  {QString::fromUtf8("àèìòù ÀÉ"), QString::fromUtf8("“sì” – ok")}}
            << file("Perch\xE9", kTwoColumnHeader,
                    row2("Citt\xE0", "\x80 1.234,56") + row2("\xE0\xE8\xEC\xF2\xF9 \xC0\xC9", "\x93s\xEC\x94 \x96 ok"));
        QTest::newRow("markup characters shown as typed")
            << "Soci & <Amici>"
            << QList<QStringList>{{"<b>", "Rossi & Figli"}, {"a<>b&&c", "&amp;"}}
            << file("Soci &amp; &lt;Amici&gt;", kTwoColumnHeader,
                    row2("&lt;b&gt;", "Rossi &amp; Figli") + row2("a&lt;&gt;b&amp;&amp;c", "&amp;amp;"));
        QTest::newRow("blanks and controls trimmed at both ends only")
            << "Riepilogo Articoli"
            << QList<QStringList>{{"  Rossi  Mario  ", "\t01/02/2023\r\n"}, {" ", "a \"b\" 'c'"}}
            << file("Riepilogo Articoli", kTwoColumnHeader,
                    row2("Rossi  Mario", "01/02/2023") + row2("", "a \"b\" 'c'"));
        QTest::newRow("characters outside the code page")
            << "Riepilogo Articoli" << QList<QStringList>{{QString::fromUtf8("Ωmega"), QString::fromUtf8("x😀y")}}
            << file("Riepilogo Articoli", kTwoColumnHeader, row2("?mega", "x?y"));
        QTest::newRow("digit strings marked as text, their text unchanged")
            << "Riepilogo Articoli"
            << QList<QStringList>{{"00743110157", " 4539578763621486 "}, {"0", "123456789012345678901234567890"}}
            << file("Riepilogo Articoli", kTwoColumnHeader,
                    "<tr>" + cell("00743110157", true) + cell("4539578763621486", true) + "</tr><tr>" +
                        cell("0", true) + cell("123456789012345678901234567890", true) + "</tr>");
        QTest::newRow("other texts with digits are not marked")
            << "Riepilogo Articoli"
            << QList<QStringList>{{"1250,50", "IT60X0542811101000000123456"}, {"02 1234", "-5"},
                                  {"+39021234", "05/03/2024"}, {QString::fromUtf8("١٢٣"), "12a"}, {" ", "1.000"}}
            << file("Riepilogo Articoli", kTwoColumnHeader,
                    row2("1250,50", "IT60X0542811101000000123456") + row2("02 1234", "-5") +
                        row2("+39021234", "05/03/2024") + row2("???", "12a") + row2("", "1.000"));
        QTest::newRow("short row padded, long row cut to the header")
            << "Riepilogo Articoli" << QList<QStringList>{{"solo"}, {"a", "b", "c"}}
            << file("Riepilogo Articoli", kTwoColumnHeader, row2("solo", "") + row2("a", "b"));
    }
    void fileBytes() {
        QFETCH(QString, sheet);
        QFETCH(QList<QStringList>, rows);
        QFETCH(QByteArray, expected);
        QCOMPARE(spreadsheetBytes(sheet, kTwoColumns, rows), expected);
    }

    void headerCellsAreEscapedAndCarryTheirWidth() {
        constexpr ExportColumn header[] = {{"Città & <Paese>", 350}, {"N°", 75}, {"", 0}};
        const QByteArray expected = file(
            "Archivio Clienti",
            "<tr><td style=\"text-align: left; font-weight: bold;\" width=350>Citt\xE0 &amp; &lt;Paese&gt;</td>"
            "<td style=\"text-align: left; font-weight: bold;\" width=75>N\xB0</td>"
            "<td style=\"text-align: left; font-weight: bold;\" width=0></td></tr>",
            "<tr>" + cell("uno", false) + cell("2", true) + cell("tre", false) + "</tr>");
        QCOMPARE(spreadsheetBytes("Archivio Clienti", header, {{"uno", "2", "tre"}}), expected);
    }

    void bookExportIsOneLineOfTwentyFiveColumns() {
        const QByteArray bytes = spreadsheetBytes(QStringLiteral("Riepilogo Libri"), kBooks, manyRows(2));
        QVERIFY(bytes.startsWith("<html "));
        QVERIFY(bytes.endsWith("</html>"));
        QVERIFY(!bytes.contains('\n'));
        QVERIFY(!bytes.contains('\r'));
        QVERIFY(bytes.contains("<x:Name>Riepilogo Libri</x:Name>"));
        QCOMPARE(bytes.count("font-weight: bold;"), 25);
        QCOMPARE(bytes.count("<tr>"), 3);
        QCOMPARE(bytes.count("<td style=\"text-align: left;\">"), 2 * 25);
    }

    void writtenFileHoldsTheSameBytes() {
        // Enough rows to be handed to the file in several blocks.
        caltest::ProgramFolder folder;
        const QString path = folder.path("Libri.xls");
        const QList<QStringList> rows = manyRows(3000);
        QVERIFY(writeSpreadsheet(path, "Riepilogo Libri", kBooks, rows));
        const QByteArray expected = spreadsheetBytes("Riepilogo Libri", kBooks, rows);
        QVERIFY(expected.size() > 4 * (1 << 16));
        QCOMPARE(caltest::readAll(path), expected);
        QCOMPARE(folderEntries(folder.dir.path()), QStringList{"Libri.xls"});
    }

    // Rows made of record fields are written straight from the records' bytes: the same file as
    // the rows made as texts, whatever the values hold (blanks around them, markup characters, digit
    // strings, letters of the code page, two fields joined with either of them empty), also when
    // it takes several blocks; a record stream that cannot give every record fails the export.
    void recordRowsWrittenFromTheirBytes() {
        static constexpr Field fields[] = {{"txtA", 30}, {"txtB", 12}, {"txtC", 4}};
        static constexpr RecordLayout layout{"Prove.pro", fields};
        static constexpr RecordCell cells[] = {{0}, {1, 2}, {2}};
        static constexpr ExportColumn header[] = {{"A", 100}, {"B e C", 100}, {"C", 50}, {"vuota", 50}};
        const RecordRow row{&layout, cells};
        const QStringList texts{"  Rossi & <figli> ", "00743110157", QString::fromUtf8("Forlì €"), "", " 12 ", "a>b",
                                "\t7\t"};
        QByteArray records;
        for (int i = 0; i < 3000; ++i) {
            Record r(layout);
            for (int f = 0; f < 3; ++f) r.setText(f, texts[(i * (f + 2) + f) % texts.size()]);
            records += r.bytes();
        }
        const qint64 count = records.size() / layout.size();
        auto stream = [&](const std::function<void(const char*)>& put) {
            for (qint64 i = 0; i < count; ++i) put(records.constData() + i * layout.size());
            return true;
        };
        QList<QStringList> rows;
        stream([&](const char* record) { rows << row(record); });
        QCOMPARE(rows[0], (QStringList{"Rossi & <figli>", "00743110157 Forl", "Forl"}));  // the third field holds four bytes
        caltest::ProgramFolder folder;
        const QString path = folder.path("Prove.xls");
        QVERIFY(writeSpreadsheetRecords(path, "Prove", header, row, stream));
        const QByteArray expected = spreadsheetBytes("Prove", header, rows);
        QVERIFY(expected.size() > 4 * (1 << 16));
        QCOMPARE(caltest::readAll(path), expected);
        QVERIFY(expected.contains("<td style=\"text-align: left;\" sdnum=\"1040;0;@\">00743110157</td>"));
        QVERIFY(expected.contains("Rossi &amp; &lt;figli&gt;</td>"));

        const QByteArray before = caltest::readAll(path);
        QVERIFY(!writeSpreadsheetRecords(path, "Prove", header, row, [&](const std::function<void(const char*)>& put) {
            put(records.constData());
            return false;
        }));
        QCOMPARE(caltest::readAll(path), before);
    }

    void writeReplacesAnOlderLongerFile() {
        caltest::ProgramFolder folder;
        const QString path = folder.path("Articoli.xls");
        QVERIFY(caltest::writeAll(path, QByteArray(100000, 'x')));
        QVERIFY(writeSpreadsheet(path, "Riepilogo Articoli", kTwoColumns, QList<QStringList>(10)));
        QCOMPARE(caltest::readAll(path), file("Riepilogo Articoli", kTwoColumnHeader, row2("", "").repeated(10)));
        QCOMPARE(folderEntries(folder.dir.path()), QStringList{"Articoli.xls"});
    }

    void readOnlyFolderFailsAndLeavesNothing() {
        caltest::ProgramFolder folder;
        const QString path = folder.path("Clienti.xls");
        {
            CAL_READ_ONLY(guard, folder.dir.path());
            QVERIFY(!writeSpreadsheet(path, "Archivio Clienti", kTwoColumns, {{"a", "b"}}));
        }
        QVERIFY(folderEntries(folder.dir.path()).isEmpty());
    }

    void failedWriteKeepsTheOlderFile() {
        caltest::ProgramFolder folder;
        const QString path = folder.path("Clienti.xls");
        const QByteArray older = "<html>older export</html>";
        QVERIFY(caltest::writeAll(path, older));
        {
            CAL_READ_ONLY(guard, folder.dir.path());
            QVERIFY(!writeSpreadsheet(path, "Archivio Clienti", kTwoColumns, manyRows(2000)));
        }
        QCOMPARE(caltest::readAll(path), older);
        QCOMPARE(folderEntries(folder.dir.path()), QStringList{"Clienti.xls"});
    }

    void missingFolderFails() {
        caltest::ProgramFolder folder;
        QVERIFY(!writeSpreadsheet(folder.path("manca/Clienti.xls"), "Archivio Clienti", kTwoColumns, {}));
        QVERIFY(folderEntries(folder.dir.path()).isEmpty());
    }
};

CAL_TEST_MAIN(TestSpreadsheetWriter)
#include "tst_spreadsheetwriter.moc"
