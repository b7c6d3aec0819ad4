// Search rules: which records the filters select, list lines, the sorted result, find in list.
#include "core/Record.h"
#include "core/RecordFile.h"
#include "core/Search.h"
#include "testlib/CalTest.h"
#include <QCollator>

#include <algorithm>

using namespace cal;

namespace {
constexpr Field kPeopleFields[] = {{"txtNome", 20}, {"txtCitta", 12}, {"txtNote", 30}};
constexpr RecordLayout kPeople{"People.pro", kPeopleFields};
constexpr ListColumn kPeopleLine[] = {{"", 0, 8}, {"  Città: ", 1, 6}, {"  ", 2, 0}};
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
