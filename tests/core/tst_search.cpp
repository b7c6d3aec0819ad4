// Search rules: which records the filters select, list lines, the sorted result, find in list.
#include "core/Record.h"
#include "core/RecordFile.h"
#include "core/Search.h"
#include "testlib/CalTest.h"
#include <QCollator>

#include <algorithm>
#include <atomic>

#include <sys/stat.h>

using namespace cal;

namespace {
constexpr Field kPeopleFields[] = {{"txtNome", 20}, {"txtCitta", 12}, {"txtNote", 30}};
constexpr RecordLayout kPeople{"People.pro", kPeopleFields};
constexpr ListColumn kPeopleLine[] = {{"", 0, 8}, {"  Città: ", 1, 6}, {"  ", 2, 0}};
constexpr ListColumn kFreeLine[] = {{"", 0, 8}, {" ", 1, kFreeWidth}, {" - ", 2, 0}};
constexpr Field kLongFields[] = {{"txtA", 60}, {"txtB", 8}};
constexpr RecordLayout kLong{"Long.pro", kLongFields};
constexpr ListColumn kLongLine[] = {{"", 0, 60}, {" ", 1, 0}};

Record person(const QString& name, const QString& town, const QString& notes = {}) {
    Record r(kPeople);
    r.setText(0, name);
    r.setText(1, town);
    r.setText(2, notes);
    return r;
}
}  // namespace

class TestSearch : public QObject {
    Q_OBJECT
private slots:
    void matching_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("listed");
        QTest::newRow("capitals find mixed case") << "Rossi Mario" << "ROSSI" << true;
        QTest::newRow("substring inside word") << "Rossi Mario" << "ssi ma" << true;
        QTest::newRow("accented capital is not folded") << QString::fromUtf8("perché") << QString::fromUtf8("PERCHÉ") << false;
        QTest::newRow("accent must be typed") << QString::fromUtf8("Città") << "citta" << false;
        QTest::newRow("accent typed") << QString::fromUtf8("Città") << QString::fromUtf8("CITTà") << true;
        QTest::newRow("trailing blank needs a blank") << "Rossi" << "rossi " << false;
        QTest::newRow("trailing blank with a blank") << "Rossi Mario" << "rossi " << true;
        QTest::newRow("empty filter lists all") << "Rossi" << "" << true;
        QTest::newRow("blank-only filter not in use") << "Rossi" << "   " << true;
        QTest::newRow("no match") << "Rossi" << "verdi" << false;
        QTest::newRow("euro") << QString::fromUtf8("Costo 5 €") << QString::fromUtf8("5 €") << true;
        QTest::newRow("character outside code page") << "Rossi?" << QString::fromUtf8("Ω") << false;
        QTest::newRow("longer than value") << "Ro" << "Rossi" << false;
    }
    void matching() {
        QFETCH(QString, stored);
        QFETCH(QString, filter);
        QFETCH(bool, listed);
        const Record r = person(stored, "Roma");
        const SearchFilter f[] = {{0, filter}};
        QCOMPARE(RecordMatcher(kPeople, f).matches(r.bytes().constData()), listed);
    }

    void matchingUsesTheUntrimmedStoredValue() {
        Record r(kPeople);
        r.bytes().replace(0, 8, QByteArray("\x07 Rossi ", 8));  // written by another tool with blanks
        const SearchFilter lead[] = {{0, " rossi"}};
        QVERIFY(RecordMatcher(kPeople, lead).matches(r.bytes().constData()));
    }

    void everyFilterInUseMustOccur() {
        const Record both = person("Rossi Mario", "Roma");
        const Record one = person("Rossi Mario", "Milano");
        const SearchFilter f[] = {{0, "rossi"}, {1, "ROMA"}, {2, ""}};
        const RecordMatcher m(kPeople, f);
        QCOMPARE(m.filtersInUse(), 2);
        QVERIFY(m.matches(both.bytes().constData()));
        QVERIFY(!m.matches(one.bytes().constData()));
    }

    void aBlankFilterNeverStandsInForAnother() {
        // "Bianchi Mario" does not contain "rossi"; the blank filter on the notes, which
        // contain blanks, must not make up for it.
        const Record r = person("Bianchi Mario", "Roma", "due parole");
        const SearchFilter f[] = {{0, "rossi"}, {2, " "}};
        const RecordMatcher m(kPeople, f);
        QCOMPARE(m.filtersInUse(), 1);
        QVERIFY(!m.matches(r.bytes().constData()));
    }

    void damagedLengthByteIsClamped() {
        Record r(kPeople);
        r.bytes()[0] = char(255);  // capacity 20
        r.bytes().replace(1, 5, "Rossi");
        const SearchFilter f[] = {{0, "rossi"}};
        QVERIFY(RecordMatcher(kPeople, f).matches(r.bytes().constData()));
        r.bytes()[22] = 'Q';  // first text byte of the next field: out of reach of field 0
        const SearchFilter next[] = {{0, "q"}};
        QVERIFY(!RecordMatcher(kPeople, next).matches(r.bytes().constData()));
    }

    void listLines_data() {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("line");
        QTest::newRow("padded") << QStringList{"Rossi", "Roma", "note"}
                                << QString::fromUtf8("Rossi     Città: Roma    note");
        QTest::newRow("cut, last neither padded nor cut")
            << QStringList{"Bartolomei Giovanni", "Civitavecchia", " lunghe note finali "}
            << QString::fromUtf8("Bartolom  Città: Civita  lunghe note finali");
        QTest::newRow("trimmed before padding") << QStringList{"  Al ", " ", ""}
                                                << QString::fromUtf8("Al        Città:         ");
        QTest::newRow("code page letters, cut inside the padding")
            << QStringList{QString::fromUtf8("Niccolò €"), QString::fromUtf8("Forlì"), QString::fromUtf8("già “pagato”")}
            << QString::fromUtf8("Niccolò   Città: Forlì   già “pagato”");
    }
    // A column of free width is neither padded nor cut, wherever it stands.
    void freeWidthColumn() {
        const Record r = person("  Al ", QString::fromUtf8("Forlì Cesena "), "x");
        QCOMPARE(buildListLine(kPeople, kFreeLine, r.bytes().constData()), QString::fromUtf8("Al       Forlì Cesena - x"));
        QCOMPARE(buildListLine(kFreeLine, {"  Al ", QString::fromUtf8("Forlì Cesena "), "x"}),
                 QString::fromUtf8("Al       Forlì Cesena - x"));
    }
    // The line from the values, and the same line straight from a record holding them.
    void listLines() {
        QFETCH(QStringList, values);
        QFETCH(QString, line);
        QCOMPARE(buildListLine(kPeopleLine, values), line);
        const Record r = person(values[0], values[1], values[2]);
        QCOMPARE(buildListLine(kPeople, kPeopleLine, r.bytes().constData()), line);
    }

    void searchListsSortedLinesWithTheirRecords() {
        caltest::ProgramFolder folder;
        const QString path = folder.path(QString::fromLatin1(kPeople.fileName));
        RecordFile file;
        QVERIFY(file.open(path, kPeople.size()));
        for (const Record& r : {person("verdi", "Roma"), person("Bianchi", "Roma"), person("Rossi", "Pisa"),
                                person("Bianchi", "Roma")})
            QVERIFY(file.write(r));
        QVERIFY(file.close());

        const SearchFilter f[] = {{1, "roma"}};
        const RecordMatcher m(kPeople, f);
        auto line = [](const char* rec) { return buildListLine(kPeople, kPeopleLine, rec); };
        const auto result = searchRecords(path, kPeople, m, line);
        QVERIFY(result);
        QCOMPARE(int(result->size()), 3);
        // case-insensitive order; identical lines keep their own records
        QVERIFY((*result)[0].line.startsWith("Bianchi"));
        QCOMPARE((*result)[0].record, 1);
        QCOMPARE((*result)[1].record, 3);
        QVERIFY((*result)[2].line.startsWith("verdi"));

        const SearchFilter none[] = {{0, ""}};
        QCOMPARE(int(searchRecords(path, kPeople, RecordMatcher(kPeople, none), line)->size()), 4);
        QVERIFY(!searchRecords(folder.path("nofolder/x.pro"), kPeople, m, line));
    }

    // Records a screen does not consider are skipped before the filters: with no filter in use the
    // others are still listed, and a filter never brings a skipped record back.
    void searchSkipsRecordsNotConsidered() {
        caltest::ProgramFolder folder;
        const QString path = folder.path(QString::fromLatin1(kPeople.fileName));
        RecordFile file;
        QVERIFY(file.open(path, kPeople.size()));
        for (const Record& r : {person("verdi", "Roma"), person("Bianchi", "Roma"), person("Rossi", "Pisa")})
            QVERIFY(file.write(r));
        QVERIFY(file.close());
        auto line = [](const char* rec) { return buildListLine(kPeople, kPeopleLine, rec); };
        const auto notInRome = [](const char* rec) { return !fieldBytes(kPeople, rec, 1).toByteArray().contains("Roma"); };
        const SearchFilter none[] = {{0, ""}};
        const auto all = searchRecords(path, kPeople, RecordMatcher(kPeople, none), line, true, notInRome);
        QVERIFY(all);
        QCOMPARE(int(all->size()), 1);
        QVERIFY(all->front().line.startsWith("Rossi"));
        QCOMPARE(all->front().record, 2);
        const SearchFilter rome[] = {{1, "roma"}};
        QCOMPARE(int(searchRecords(path, kPeople, RecordMatcher(kPeople, rome), line, true, notInRome)->size()), 0);
        QCOMPARE(int(searchRecords(path, kPeople, RecordMatcher(kPeople, rome), line, true, {})->size()), 2);
    }

    void sortPutsAccentsWithTheirLetters() {
        std::vector<ListEntry> e{{"zeta", 0}, {QString::fromUtf8("Ètna"), 1}, {"alfa", 2}, {"Emilia", 3}, {"BETA", 4}};
        sortListEntries(e);
        QStringList lines;
        for (const auto& x : e) lines << x.line;
        QCOMPARE(lines, (QStringList{"alfa", "BETA", "Emilia", QString::fromUtf8("Ètna"), "zeta"}));
    }

    // The list order is the Italian collator's, case ignored, equal lines in file order: checked
    // against the collator's own sort keys over lines that mix plain letters, accented and upper
    // case letters, punctuation, digits, blanks, and characters the collator weighs its own way
    // (ligatures, the euro sign, typographic quotes, a control character).
    // Large lists are sorted in parts at once and merged: the order is the same.
    // Long lines that share their first 50, 100 or 150 characters (some with a character the
    // collator weighs its own way inside the shared part) are ordered on their later characters.
    void sortIsTheCollatorsOrder_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("longLines");
        QTest::newRow("one part") << 3000 << false;
        QTest::newRow("sorted in parts") << 45000 << false;
        QTest::newRow("long shared beginnings") << 3000 << true;
        QTest::newRow("long shared beginnings, in parts") << 45000 << true;
    }
    void sortIsTheCollatorsOrder() {
        QFETCH(int, count);
        QFETCH(bool, longLines);
        const QString alphabet = QString::fromUtf8("aAbBeEzZ09 .,'-/&àÀèÈéìòùçñÿŠæÆßœ€’“\x01ØĐı«»°–•§…™½");
        quint32 state = 12345;
        auto next = [&] { return state = state * 1103515245u + 12345u, (state >> 16) & 0x7fff; };
        auto randomText = [&](int length) {
            QString text;
            for (int k = 0; k < length; ++k) text += alphabet[qsizetype(next() % alphabet.size())];
            return text;
        };
        QStringList stems;
        for (int length : {50, 100, 150}) {
            const QString plain = QString(length - 8, u'a') + "Rossi   ";
            stems << plain << QString(plain).replace(length / 2, 1, QString::fromUtf8("€"))
                  << QString(plain).replace(length / 2, 1, QString::fromUtf8("à")) << plain.left(length - 1);
        }
        std::vector<ListEntry> entries;
        for (int i = 0; i < count; ++i) {
            const QString tail = randomText(1 + int(next() % 8));
            entries.push_back({longLines ? stems[qsizetype(next() % stems.size())] + tail : tail, i});
        }
        // a few lines that differ only by case or accent, and repeated lines
        for (const char* l : {"Rossi", "rossi", "ROSSI", "Rossì", "rossi", "Ross", "Rossi "})
            entries.push_back({QString::fromUtf8(l), qint64(entries.size())});

        QCollator collator(QLocale(QLocale::Italian, QLocale::Italy));
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::vector<ListEntry> expected = entries;
        std::stable_sort(expected.begin(), expected.end(),
                         [&](const ListEntry& a, const ListEntry& b) { return collator.compare(a.line, b.line) < 0; });
        sortListEntries(entries);
        QCOMPARE(entries.size(), expected.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            QCOMPARE(entries[i].line, expected[i].line);
            QCOMPARE(entries[i].record, expected[i].record);
        }
    }

    // A large file is read in parts at once; the lines still come in file order, each with its
    // own record, and a record not kept is left out.
    void largeFileCollectedInFileOrder() {
        caltest::ProgramFolder folder;
        const QString path = folder.path(QString::fromLatin1(kPeople.fileName));
        constexpr int kCount = 45001;
        QByteArray bytes;
        bytes.reserve(qsizetype(kCount) * kPeople.size());
        for (int i = 0; i < kCount; ++i) bytes += person(QString::number(i), i % 7 ? "Roma" : "Pisa").bytes();
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
        file.close();
        std::vector<ListEntry> entries;
        const auto inRome = [](const char* rec) { return fieldBytes(kPeople, rec, 1) == QByteArrayView("Roma"); };
        QVERIFY(collectListEntries(path, kPeople, inRome, [](const char* rec) { return buildListLine(kPeople, kPeopleLine, rec); },
                                   entries));
        QCOMPARE(int(entries.size()), kCount - (kCount + 6) / 7);
        qint64 expected = 0;
        for (const ListEntry& e : entries) {
            if (expected % 7 == 0) ++expected;
            QCOMPARE(e.record, expected);
            QVERIFY(e.line.startsWith(QString::number(expected) + u' '));
            ++expected;
        }
    }

    // The list of a screen keeps only the records: it comes in the order of the lines (the same
    // as the sorted lines themselves, also for lines equal on their first fifty characters and
    // more), or in file order; each line is made again from its record, as the file holds it.
    void listKeepsRecordsInTheOrderOfTheirLines() {
        caltest::ProgramFolder folder;
        const QString path = folder.path(QString::fromLatin1(kPeople.fileName));
        const QString same(55, u'x');
        const QStringList firsts{same, same + "b", same, QString::fromUtf8("àà"), same + "a", "AA", same, "b"};
        const QStringList seconds{"3", "1", "1", "2", "2", "2", "2", "0"};
        {
            RecordFile file;
            QVERIFY(file.open(path, kLong.size()));
            for (qsizetype i = 0; i < firsts.size(); ++i) {
                Record r(kLong);
                r.setText(0, firsts[i]);
                r.setText(1, seconds[i]);
                QVERIFY(file.write(r));
            }
            QVERIFY(file.close());
        }
        const LineBuilder line = [&](const char* rec) { return buildListLine(kLong, kLongLine, rec); };
        const auto notB = [&](const char* rec) { return fieldBytes(kLong, rec, 0) != QByteArrayView("b"); };

        std::vector<ListEntry> expected;
        RecordReader reader(path, kLong);
        for (qint64 i = 0; i < firsts.size(); ++i)
            if (notB(reader.read(i))) expected.push_back({line(reader.read(i)), i});
        sortListEntries(expected);
        Listing sorted = listRecords(path, kLong, notB, line, true);
        QVERIFY(sorted.complete);
        QCOMPARE(sorted.list.size(), qsizetype(expected.size()));
        for (std::size_t row = 0; row < expected.size(); ++row) {
            QCOMPARE(sorted.list.record(qsizetype(row)), expected[row].record);
            QCOMPARE(sorted.list.line(qsizetype(row)), expected[row].line);
        }
        QCOMPARE(sorted.list.record(0), 5);  // "AA" before "àà" before the x lines
        QCOMPARE(sorted.list.record(1), 3);
        QCOMPARE(sorted.list.line(2), same.leftJustified(60) + " 1");  // ties on the first 61 characters

        const Listing inFileOrder = listRecords(path, kLong, notB, line, false);
        QCOMPARE(inFileOrder.list.size(), 7);
        for (qsizetype row = 0; row < 7; ++row) QCOMPARE(inFileOrder.list.record(row), row);
        QCOMPARE(inFileOrder.list.lines().first(), same.leftJustified(60) + " 3");

        // A record changed after listing shows as the file holds it; one cut off shows empty.
        {
            RecordFile file;
            QVERIFY(file.open(path, kLong.size()));
            Record r(kLong);
            r.setText(0, "changed");
            QVERIFY(file.seek(0) && file.write(r));
            QVERIFY(file.close());
        }
        QCOMPARE(inFileOrder.list.line(0), QString("changed").leftJustified(60) + " ");
        QVERIFY(QFile::resize(path, 6 * kLong.size() + 3));
        QCOMPARE(inFileOrder.list.line(6), QString());
        QCOMPARE(inFileOrder.list.line(5), QString("AA").leftJustified(60) + " 2");
    }

    // A list whose lines are made of the record's columns alone is ranked straight from the
    // record's bytes: the order is the one of its lines, made and sorted, also for lines with a
    // caption or a byte the ranks leave to the collator, cut or free columns, lines that tie on
    // their first stretch, in one part and in several.
    void columnLinesRankedFromTheirBytes_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("one part") << 2000;
        QTest::newRow("in parts") << 45000;
    }
    void columnLinesRankedFromTheirBytes() {
        caltest::ProgramFolder folder;
        QFETCH(int, count);
        static constexpr Field fields[] = {{"txtA", 40}, {"txtB", 120}, {"txtC", 12}};
        static constexpr RecordLayout layout{"Mixed.pro", fields};
        static constexpr ListColumn columns[] = {{"", 0, 12}, {"  Città: ", 2, kFreeWidth}, {" œ ", 1, 70}, {" ", 1, 0}};
        const QString path = folder.path(QString::fromLatin1(layout.fileName));
        // The first column's words hold only characters the ranks order (so that the order of the
        // lines' beginnings is the keys' alone); the others also hold characters they leave to
        // the collator.
        const QStringList ranked{"rossi", "Rossi", "ROSSI", QString::fromUtf8("Rossì"), "  bianchi", "", "a&b",
                                 QString::fromUtf8("€ 10"), QString::fromUtf8("“già”"), QString(55, u'z'), "ab",
                                 "ab_", "ab-", "ab.", "ab,", "ab'", "kkkkkkkkkkkkC", "kkkkkkkkkkkkA"};
        const QStringList words = ranked + QStringList{QString::fromUtf8("Ætna"), QString::fromUtf8("œuvre"), "x\x01y"};
        quint32 state = 7;
        auto next = [&] { return state = state * 1103515245u + 12345u, (state >> 16) & 0x7fff; };
        auto any = [&](const QStringList& from) { return from[qsizetype(next() % from.size())]; };
        QByteArray bytes;
        for (int i = 0; i < count; ++i) {
            Record r(layout);
            r.setText(0, any(ranked) + any(ranked));
            r.setText(1, QString(int(next() % 3) * 30, u'k') + any(words));
            r.setText(2, any(words));
            if (i % 97 == 0) r.bytes()[layout.offset(1) + 1 + 5] = char(0x81);  // a byte the code page leaves undefined
            bytes += r.bytes();
        }
        QVERIFY(caltest::writeAll(path, bytes));
        const ColumnLine line{&layout, columns};
        const auto keep = [](const char* record) { return record[1] != 'R'; };

        std::vector<ListEntry> expected;
        for (qint64 i = 0; i < count; ++i) {
            const char* record = bytes.constData() + i * layout.size();
            if (keep(record)) expected.push_back({line(record), i});
        }
        sortListEntries(expected);
        const Listing listed = listRecords(path, layout, keep, line, true);
        QVERIFY(listed.complete);
        QCOMPARE(listed.list.size(), qsizetype(expected.size()));
        for (std::size_t row = 0; row < expected.size(); ++row) {
            QCOMPARE(listed.list.record(qsizetype(row)), expected[row].record);
            QCOMPARE(listed.list.line(qsizetype(row)), expected[row].line);
        }
    }

    // Every whole record is visited once with its own bytes, read in blocks or through a mapping,
    // in one part or several; a trailing partial record is not; a missing file is created empty,
    // and a pipe in the place of the file is refused at once instead of being waited on.
    void scanVisitsEveryRecordOnce_data() {
        QTest::addColumn<bool>("mapped");
        QTest::addColumn<int>("count");
        QTest::newRow("read, one part") << false << 1000;
        QTest::newRow("read, in parts") << false << 45001;
        QTest::newRow("mapped, one part") << true << 1000;
        QTest::newRow("mapped, in parts") << true << 45001;
    }
    void scanVisitsEveryRecordOnce() {
        caltest::ProgramFolder folder;
        QFETCH(bool, mapped);
        QFETCH(int, count);
        setScanAccess(mapped ? ScanAccess::Map : ScanAccess::Read);
        const QString path = folder.path(QString::fromLatin1(kPeople.fileName));
        QByteArray bytes;
        for (int i = 0; i < count; ++i) bytes += person(QString::number(i), "Roma").bytes();
        QVERIFY(caltest::writeAll(path, bytes + "partial"));
        std::vector<char> seen(std::size_t(count), 0);
        std::atomic<int> wrong = 0, visits = 0;
        int parts = 0;
        QVERIFY(scanRecordFileInParts(path, kPeople, [&](int n, qint64 records) {
            parts = n;
            QCOMPARE(records, qint64(count));
        }, [&](int, qint64 index, const char* record) {
            ++visits;
            if (index < 0 || index >= count || fieldBytes(kPeople, record, 0) != QByteArray::number(index)) ++wrong;
            else seen[std::size_t(index)] = 1;
        }));
        QCOMPARE(wrong.load(), 0);
        QCOMPARE(visits.load(), count);
        QVERIFY(std::all_of(seen.begin(), seen.end(), [](char c) { return c == 1; }));
        QCOMPARE(parts > 1, count > 40000);
        qint64 inOrder = 0;
        QVERIFY(scanRecordFile(path, kPeople, [&](qint64 index, const char*) { inOrder += index == inOrder; }));
        QCOMPARE(inOrder, qint64(count));

        const QString missing = folder.path("Missing.pro");
        QVERIFY(scanRecordFile(missing, kPeople, [](qint64, const char*) { QFAIL("no record"); }));
        QVERIFY(QFileInfo(missing).isFile());
        const QString pipe = folder.path("Pipe.pro");
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        QVERIFY(!scanRecordFile(pipe, kPeople, [](qint64, const char*) {}));
        QVERIFY(!scanRecordFileInParts(pipe, kPeople, [](int, qint64) {}, [](int, qint64, const char*) {}));
        setScanAccess(ScanAccess::Read);
    }

    // Find in a result list past the rows tested one by one: the rest are tested in one pass over
    // the file, with the same outcome as testing every line.
    void findInALongResultList() {
        caltest::ProgramFolder folder;
        const QString path = folder.path(QString::fromLatin1(kPeople.fileName));
        constexpr int kCount = 6000;
        QByteArray bytes;
        for (int i = 0; i < kCount; ++i) bytes += person(QString::number(i), i == 4321 || i == 17 ? "Napoli" : "Roma").bytes();
        QVERIFY(caltest::writeAll(path, bytes));
        std::vector<qint64> records(kCount);
        for (int row = 0; row < kCount; ++row) records[std::size_t(row)] = kCount - 1 - row;  // the file backwards
        const ResultList list(path, kPeople, ColumnLine{&kPeople, kPeopleLine}, records);
        const QStringList lines = list.lines();
        using O = ListFinder::Outcome;
        ListFinder onList, onLines;
        for (const auto& [selected, text] : std::vector<std::pair<int, QString>>{
                 {0, "NAPOLI"}, {1678, "napoli"}, {1678, "napoli"}, {10, "pisa"}, {100, "città: r"}, {-1, "4321 "}}) {
            const auto a = onList.find(list, selected, text);
            const auto b = onLines.find(lines, selected, text);
            QCOMPARE(a.outcome, b.outcome);
            QCOMPARE(a.selected, b.selected);
        }
        QCOMPARE(onList.find(list, 0, "NAPOLI").selected, kCount - 1 - 4321);  // past the first rows
        const auto again = onList.find(list, kCount - 1 - 4321, "napoli");
        QCOMPARE(again.selected, kCount - 1 - 17);
        const auto nowhere = onList.find(list, 3, "pisa");
        QCOMPARE(nowhere.outcome, O::NotFound);
        QCOMPARE(nowhere.selected, 3);
        const std::vector<char> hits = list.rowsContaining("napoli");
        QCOMPARE(std::count(hits.begin(), hits.end(), 1), 2);
    }

    void findInList() {
        const QStringList lines{"Alfa Roma", "Beta Milano", "Gamma Roma", "Delta Roma"};
        ListFinder finder;
        using O = ListFinder::Outcome;

        auto r = finder.find(lines, -1, "ROMA");  // new text: the first line itself is tested
        QCOMPARE(r.outcome, O::Found);
        QCOMPARE(r.selected, 0);
        r = finder.find(lines, r.selected, "roma");  // same text after folding: next one
        QCOMPARE(r.selected, 2);
        r = finder.find(lines, r.selected, "Roma");
        QCOMPARE(r.selected, 3);
        r = finder.find(lines, r.selected, "roma");  // wraps past the end
        QCOMPARE(r.selected, 0);

        r = finder.find(lines, 2, "milano");  // new text starts from the top
        QCOMPARE(r.selected, 1);
        r = finder.find(lines, 1, "milano");  // only occurrence: found again after a full turn
        QCOMPARE(r.outcome, O::Found);
        QCOMPARE(r.selected, 1);

        r = finder.find(lines, 3, "napoli");  // nowhere: selection unchanged
        QCOMPARE(r.outcome, O::NotFound);
        QCOMPARE(r.selected, 3);
        r = finder.find(lines, -1, "");
        QCOMPARE(r.outcome, O::NotFound);
        QCOMPARE(r.selected, 0);

        finder.forget();
        r = finder.find(lines, 2, "roma");  // forgotten: a new text again
        QCOMPARE(r.selected, 0);

        QCOMPARE(finder.find(QStringList{}, -1, "x").outcome, O::EmptyList);
    }
};

CAL_TEST_MAIN(TestSearch)
#include "tst_search.moc"
