// The report engine: the three layouts, filling by name, page preparation (wrapping, cutting,
// splitting a listing over pages, print-date expressions), the PDF file and the painted output.
#include "report/PdfWriter.h"
#include "report/Printouts.h"
#include "report/Report.h"
#include "report/ReportPainter.h"
#include "testlib/CalWidgetTest.h"
#include "ui/Services.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>

#include <optional>

using namespace cal;
using Item = Report::Item;

namespace {

const QDateTime kNow(QDate(2024, 3, 5), QTime(9, 7, 3));
constexpr double kCm = 96.0 / 2.54;

// Runs a poppler tool and returns what it wrote, or nothing when it failed.
std::optional<QString> runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of one page (1-based), or of the whole file when page is 0, as pdftotext lays it
// out, with each run of blanks made one: the spacing pdftotext guesses between words is not
// what is being tested. Compare with texts passed through simplified().
QString pdfText(const QString& path, int page = 0) {
    QStringList args{QStringLiteral("-layout")};
    if (page > 0) args << "-f" << QString::number(page) << "-l" << QString::number(page);
    args << path << QStringLiteral("-");
    const QString text = runTool(QStringLiteral("pdftotext"), args).value_or(QStringLiteral("<pdftotext failed>"));
    QStringList lines;
    for (const QString& line : text.split(QRegularExpression(QStringLiteral("[\r\n\f]+"))))
        if (!line.simplified().isEmpty()) lines << line.simplified();
    return lines.join(QLatin1Char('\n'));
}

// Width and height of the first page in points, from pdfinfo.
QSizeF pdfPageSize(const QString& path) {
    const QString size = runTool(QStringLiteral("pdfinfo"), {path}).value_or(QString());
    const auto m = QRegularExpression(QStringLiteral("Page size:\\s*([0-9.]+) x ([0-9.]+) pts")).match(size);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

QString pdfInfo(const QString& path, const QString& key) {
    const QString info = runTool(QStringLiteral("pdfinfo"), {path}).value_or(QString());
    const QRegularExpression line(QStringLiteral("^") + key + QStringLiteral(":[ \\t]*(.*)$"),
                                  QRegularExpression::MultilineOption);
    return line.match(info).captured(1).trimmed();
}

// One line of text as pdftotext places it on a page, in points from the top-left corner.
struct PlacedLine {
    QString text;
    QRectF box;
};

QList<PlacedLine> placedLines(const QString& path, int page) {
    const QString html = runTool(QStringLiteral("pdftotext"),
                                 {"-bbox-layout", "-f", QString::number(page), "-l", QString::number(page), path, "-"})
                             .value_or(QString());
    static const QRegularExpression lineTag(
        QStringLiteral("<line xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">(.*?)</line>"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression wordTag(QStringLiteral("<word[^>]*>([^<]*)</word>"));
    QList<PlacedLine> out;
    for (auto m = lineTag.globalMatch(html); m.hasNext();) {
        const auto line = m.next();
        QStringList words;
        for (auto w = wordTag.globalMatch(line.captured(5)); w.hasNext();) words << w.next().captured(1);
        out << PlacedLine{words.join(' '), QRectF(QPointF(line.captured(1).toDouble(), line.captured(2).toDouble()),
                                                  QPointF(line.captured(3).toDouble(), line.captured(4).toDouble()))};
    }
    std::sort(out.begin(), out.end(), [](const PlacedLine& a, const PlacedLine& b) {
        return std::pair(qRound(a.box.center().y()), a.box.left()) < std::pair(qRound(b.box.center().y()), b.box.left());
    });
    return out;
}

QSet<QString> lineSet(const QString& text) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    return QSet<QString>(lines.cbegin(), lines.cend());
}

QList<Item> textItems(const Report::Page& page) {
    QList<Item> out;
    for (const Item& item : page.items)
        if (item.kind == Item::Kind::Text) out << item;
    return out;
}

QStringList pageTexts(const Report::Page& page) {
    QStringList out;
    for (const Item& item : textItems(page)) out << item.text;
    return out;
}

std::optional<Item> findText(const Report::Page& page, const QString& text) {
    for (const Item& item : textItems(page))
        if (item.text == text) return item;
    return std::nullopt;
}

QString two(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

// The client card as the archive screen fills it for the PDF file.
Report clientCard() {
    static const char* const kRows[24][2] = {
        {"Cognome e nome:", "Rossi Mario"},
        {"Data di nascita:", "05/03/1970"},
        {"Comune di nascita:", "Città di Castello PG"},
        {"Sesso:", "M"},
        {"Telefono preferenziale:", "333 1234567"},
        {"Indirizzo di residenza:", "Via Garibaldi 12"},
        {"Comune di residenza:", "Forlì FC"},
        {"Modalità pagamento:", "Bonifico"},
        {"Tel. casa:", "0543 123456"},
        {"Tel. ufficio:", "0543 654321"},
        {"Tel. cellulare:", "347 7654321"},
        {"PEC:", "rossi@pec.it"},
        {"E-mail:", "mario.rossi@esempio.it"},
        {"Codice fiscale:", "RSSMRA70C05C745X"},
        {"Partita IVA:", "01234567890"},
        {"Carta di credito:", "N. 4111111111111111  -  Scadenza: 12/27"},
        {"IBAN:", "IT60X0542811101000000123456"},
        {"Tipo e numero documento:", "Carta d'identità AX1234567"},
        {"Ente di rilascio:", "Comune di Forlì  -  Data rilascio: 01/02/2020"},
        {"Servizi abitualmente richiesti:", "Dichiarazione dei redditi"},
        {"Tariffa applicata:", "€ 1250,00"},
        {"Tessera n.", "0042"},
        {"Questioni in sospeso:", "Perché è già così?"},
        {"Note:", "Più àèìòù ÀÈÌÒÙ"},
    };
    Report card = Report::captionValueCard();
    card.setOrientation(Report::Orientation::Portrait);
    card.setText(QStringLiteral("txtTitolo"), QStringLiteral("SCHEDA ANAGRAFICA CLIENTE"));
    for (int row = 1; row <= 24; ++row) {
        card.setText(QStringLiteral("titCampo") + two(row), QString::fromUtf8(kRows[row - 1][0]));
        card.setText(QStringLiteral("txtCampo") + two(row), QString::fromUtf8(kRows[row - 1][1]));
    }
    card.setText(QStringLiteral("txtCalce"), cardFooter(kNow));
    card.setDocumentInfo(QStringLiteral("Scheda informativa"), QStringLiteral("Scheda informativa"));
    return card;
}

QStringList listingLines(int count) {
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("Riga %1   Cliente %2   Città di prova   € %3,00   ")
                     .arg(i, 3, 10, QLatin1Char('0'))
                     .arg(i * 7, 5, 10, QLatin1Char('0'))
                     .arg(i * 10, 6);
    return lines;
}

bool havePoppler() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

}  // namespace

class TestReport : public QObject {
    Q_OBJECT
private slots:
    // ---- fields by name ----

    void fieldsOfTheLayouts_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("absent");
        QTest::newRow("caption and value")
            << "card" << QStringList{"txtTitolo", "TITCAMPO01", "titcampo24", "TxtCampo12", "txtCampo24", "txtCalce"}
            << QStringList{"titCampo25", "txtCampo00", "imgLogo", "txtRiepilogo", ""};
        QTest::newRow("fixed caption")
            << "fixed" << QStringList{"titArcataSup", "txtOggetto", "TXTNOTE", "txtCalce"}
            << QStringList{"Oggetto:", "txtTitolo", "titCampo01"};
        QTest::newRow("listing") << "listing" << QStringList{"txtTitolo", "TXTRIEPILOGO", "txtPagina"}
                                 << QStringList{"txtCalce", "MasterData"};
    }
    void fieldsOfTheLayouts() {
        QFETCH(QString, layout);
        QFETCH(QStringList, present);
        QFETCH(QStringList, absent);
        Report report = layout == "card"    ? Report::captionValueCard()
                        : layout == "fixed" ? Report::fixedCaptionCard("SCHEDA", {{"txtOggetto", "Oggetto:"},
                                                                                  {"txtNote", "Note:"}})
                                            : Report::listing();
        for (const QString& name : present) {
            QVERIFY2(report.hasField(name), qPrintable(name));
            QVERIFY(report.setText(name, "primo"));
            QVERIFY(report.setText(name.toLower(), "secondo " + name));  // setting again replaces
            QCOMPARE(report.text(name.toUpper()), "secondo " + name);
        }
        for (const QString& name : absent) {
            QVERIFY2(!report.hasField(name), qPrintable(name));
            QVERIFY(!report.setText(name, "x"));
            QVERIFY(!report.addLine(name, "x"));
            QVERIFY(!report.clearLines(name));
            QVERIFY(!report.setFieldHeight(name, 10));
            QCOMPARE(report.fieldHeight(name), -1.0);
            QCOMPARE(report.text(name), QString());
        }
    }

    void bandsByName() {
        Report listing = Report::listing();
        QVERIFY(listing.setBandHeight("masterdata", 100));
        QCOMPARE(listing.bandHeight("MASTERDATA"), 100.0);
        QVERIFY(!listing.setBandHeight("Dettaglio", 5));
        QCOMPARE(listing.bandHeight("Dettaglio"), -1.0);
        QVERIFY(!listing.setFieldHeight("txtRiepilogo", -1));  // a negative height is refused
        QCOMPARE(listing.fieldHeight("txtRiepilogo"), Report::kListingLineHeight);
    }

    // ---- caption-and-value card ----

    void unfilledRowsShowABlank() {
        Report card = Report::captionValueCard();
        for (int row = 1; row <= 24; ++row) {
            QCOMPARE(card.text("titCampo" + two(row)), QString(" "));
            QCOMPARE(card.text("txtCampo" + two(row)), QString(" "));
        }
        card.prepare(kNow);
        QCOMPARE(card.pages().size(), 1);
        QVERIFY(textItems(card.pages()[0]).isEmpty());  // blanks draw nothing
        int logos = 0, rules = 0;
        for (const Item& item : card.pages()[0].items) {
            logos += item.kind == Item::Kind::Logo;
            rules += item.kind == Item::Kind::Rule;
        }
        QCOMPARE(logos, 1);
        QVERIFY(rules >= 1);
    }

    void cardRowsOneCentimetreApart() {
        Report card = Report::captionValueCard();
        for (int row = 1; row <= 24; ++row) {
            card.setText("titCampo" + two(row), "Etichetta " + two(row) + ":");
            card.setText("txtCampo" + two(row), "Valore " + two(row));
        }
        card.setText("txtTitolo", "SCHEDA SCADENZA / APPUNTAMENTO");
        card.setText("txtCalce", cardFooter(kNow));
        card.prepare(kNow);
        QCOMPARE(card.pages().size(), 1);
        QCOMPARE(card.orientation(), Report::Orientation::Portrait);
        const Report::Page& page = card.pages()[0];
        const QSizeF size = card.pageSize();
        QVERIFY(size.height() > size.width());

        const auto title = findText(page, "SCHEDA SCADENZA / APPUNTAMENTO");
        QVERIFY(title);
        QVERIFY(title->bold);
        std::optional<Item> previous;
        for (int row = 1; row <= 24; ++row) {
            const auto caption = findText(page, "Etichetta " + two(row) + ":");
            const auto value = findText(page, "Valore " + two(row));
            QVERIFY2(caption && value, qPrintable(two(row)));
            QCOMPARE(value->rect.top(), caption->rect.top());
            QVERIFY(value->rect.left() > caption->rect.right());
            QVERIFY(caption->rect.top() > title->rect.bottom());
            if (previous) QVERIFY(qAbs(caption->rect.top() - previous->rect.top() - kCm) < 0.01);
            previous = caption;
        }
        const auto footer = findText(page, "Stampa eseguita in data 05/03/2024 alle ore 09:07:03");
        QVERIFY(footer);
        QVERIFY(footer->rect.top() > previous->rect.bottom());
        bool ruleBetween = false;  // the separator line lies between the last row and the footer
        for (const Item& item : page.items)
            if (item.kind == Item::Kind::Rule && item.rect.top() >= previous->rect.bottom() &&
                item.rect.bottom() <= footer->rect.top())
                ruleBetween = true;
        QVERIFY(ruleBetween);
        for (const Item& item : page.items) {
            QVERIFY(item.rect.left() >= card.margins().left() - 0.01);
            QVERIFY(item.rect.right() <= size.width() - card.margins().right() + 0.01);
            QVERIFY(item.rect.bottom() <= size.height() - card.margins().bottom() + 0.01);
        }
    }

    void longValueWrapsAtBlanksAndIsEllipsised() {
        Report card = Report::captionValueCard();
        QStringList words;
        for (int i = 0; i < 80; ++i) words << QStringLiteral("parola%1").arg(i);
        const QString text = words.join(' ');
        card.setText("titCampo01", "Note:");
        card.setText("txtCampo01", text);
        card.setText("titCampo02", "Dopo:");
        card.prepare(kNow);
        const Report::Page& page = card.pages()[0];
        const auto caption = findText(page, "Note:");
        const auto next = findText(page, "Dopo:");
        QVERIFY(caption && next);
        QList<Item> lines;
        for (const Item& item : textItems(page))
            if (item.rect.left() > caption->rect.right() && item.rect.top() < next->rect.top()) lines << item;
        QVERIFY(lines.size() >= 2);  // wrapped, not cut
        const double right = card.pageSize().width() - card.margins().right();
        QString shown;
        for (const Item& line : lines) {
            QVERIFY(line.rect.right() <= right + 0.01);
            QVERIFY(line.rect.bottom() <= next->rect.top());  // stays within its row
            shown += line.text + ' ';
        }
        QVERIFY(lines.last().text.endsWith(QChar(0x2026)));  // more text than room
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
            QVERIFY(!lines[i].text.endsWith(QChar(0x2026)));
            QVERIFY2(words.contains(lines[i].text.split(' ').last()), "a line breaks between words");
        }
        QVERIFY(text.startsWith(shown.chopped(1).chopped(1)));  // the shown words in order, minus the ellipsis
    }

    void wordLongerThanTheFieldIsBroken() {
        Report card = Report::captionValueCard();
        const QString word(200, QLatin1Char('W'));
        card.setText("txtCampo05", word);
        card.prepare(kNow);
        const QList<Item> items = textItems(card.pages()[0]);
        QCOMPARE(items.size(), 2);
        const double right = card.pageSize().width() - card.margins().right();
        QVERIFY(items[0].rect.right() <= right + 0.01 && items[1].rect.right() <= right + 0.01);
        QVERIFY(items[0].text.size() > 10);
        QVERIFY(word.startsWith(items[0].text));
        QVERIFY(items[1].text.endsWith(QChar(0x2026)));
    }

    void lineBreaksInAValue() {
        Report card = Report::captionValueCard();
        card.setText("txtCampo03", "uno\r\ndue");
        card.setText("txtCampo04", "tre\n");  // a break at the end adds no line
        card.prepare(kNow);
        const Report::Page& page = card.pages()[0];
        const auto uno = findText(page, "uno");
        const auto due = findText(page, "due");
        const auto tre = findText(page, "tre");
        QVERIFY(uno && due && tre);
        QCOMPARE(due->rect.left(), uno->rect.left());
        QVERIFY(due->rect.top() >= uno->rect.bottom() - 0.01);
        QVERIFY(tre->rect.top() > due->rect.top());
        QVERIFY(!tre->text.endsWith(QChar(0x2026)));
    }

    void textAsThePageShowsIt_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("accents and euro") << QString::fromUtf8("Città € 1250,00") << QString::fromUtf8("Città € 1250,00");
        QTest::newRow("tab is a blank") << "a\tb" << "a b";
        QTest::newRow("outside the code page") << QString::fromUtf8("Ω ok") << "? ok";
        QTest::newRow("emoji is one character") << QString::fromUtf8("x😀y") << "x?y";
        QTest::newRow("trailing blanks dropped") << "fine   " << "fine";
        QTest::newRow("leading blanks kept") << "  rientro" << "  rientro";
    }
    void textAsThePageShowsIt() {
        QFETCH(QString, value);
        QFETCH(QString, shown);
        Report card = Report::captionValueCard();
        card.setText("txtCampo07", value);
        card.prepare(kNow);
        QCOMPARE(pageTexts(card.pages()[0]), QStringList{shown});
    }

    void printDateExpressions_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("listing footer") << "Stampa eseguita in data [DATE]" << "Stampa eseguita in data 05/03/2024";
        QTest::newRow("movement summary footer") << "Stampa eseguita in data [DATE] alle ore [TIME]"
                                                 << "Stampa eseguita in data 05/03/2024 alle ore 09:07:03";
        QTest::newRow("no expression") << "Totale" << "Totale";
    }
    void printDateExpressions() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        Report listing = listingReport("Riepilogo", {});
        QVERIFY(listing.setText("txtPagina", text));
        listing.prepare(kNow);
        QVERIFY(pageTexts(listing.pages().last()).contains(shown));
        QCOMPARE(listing.text("txtPagina"), text);  // the field keeps its expression
    }

    void footerDefaultExpression() {
        Report listing = Report::listing();
        QCOMPARE(listing.text("txtPagina"), QString("Stampa eseguita in data [DATE]"));
    }

    void cardFooterText_data() {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("text");
        QTest::newRow("morning") << kNow << "Stampa eseguita in data 05/03/2024 alle ore 09:07:03";
        QTest::newRow("midnight") << QDateTime(QDate(2023, 12, 31), QTime(0, 0, 0))
                                  << "Stampa eseguita in data 31/12/2023 alle ore 00:00:00";
        QTest::newRow("afternoon") << QDateTime(QDate(2024, 1, 9), QTime(23, 59, 59))
                                   << "Stampa eseguita in data 09/01/2024 alle ore 23:59:59";
    }
    void cardFooterText() {
        QFETCH(QDateTime, now);
        QFETCH(QString, text);
        QCOMPARE(cardFooter(now), text);
    }

    // ---- fixed-caption card ----

    void fixedCaptionCardRows() {
        // The longest fixed-caption card: the book card's 26 rows.
        QList<Report::FixedRow> rows;
        for (int i = 1; i <= 26; ++i) rows << Report::FixedRow{"txtRiga" + two(i), "Didascalia " + two(i) + ":"};
        Report card = Report::fixedCaptionCard("SCHEDA INFORMATIVA LIBRO", rows);
        QCOMPARE(card.text("titArcataSup"), QString("SCHEDA INFORMATIVA LIBRO"));
        for (int i = 1; i <= 26; ++i) QVERIFY(card.setText("txtRiga" + two(i), "Valore " + two(i)));
        QVERIFY(!card.setText("Didascalia 01:", "x"));
        card.setText("txtCalce", cardFooter(kNow));
        card.prepare(kNow);

        QCOMPARE(card.pages().size(), 1);
        const Report::Page& page = card.pages()[0];
        const auto heading = findText(page, "SCHEDA INFORMATIVA LIBRO");
        QVERIFY(heading);
        double lastTop = heading->rect.bottom();
        for (int i = 1; i <= 26; ++i) {
            const auto caption = findText(page, "Didascalia " + two(i) + ":");
            const auto value = findText(page, "Valore " + two(i));
            QVERIFY2(caption && value, qPrintable(two(i)));
            QCOMPARE(value->rect.top(), caption->rect.top());
            QVERIFY(value->rect.left() > caption->rect.right());
            QVERIFY(caption->rect.top() > lastTop);  // in the order given
            lastTop = caption->rect.top();
        }
        const auto footer = findText(page, cardFooter(kNow));
        QVERIFY(footer);
        QVERIFY(footer->rect.top() > lastTop);
        QVERIFY(footer->rect.bottom() <= card.pageSize().height() - card.margins().bottom() + 0.01);
    }

    // ---- listing ----

    void listingHeights() {
        const QStringList lines = listingLines(200);
        const Report listing = listingReport("Riepilogo clienti", lines);
        QCOMPARE(listing.orientation(), Report::Orientation::Landscape);
        QVERIFY(qAbs(listing.fieldHeight("txtRiepilogo") - 2564.4) < 1e-6);
        QVERIFY(qAbs(listing.bandHeight("MasterData") - 2574.4) < 1e-6);
        QCOMPARE(listing.text("txtTitolo"), QString("Riepilogo clienti"));
        QCOMPARE(listing.text("txtRiepilogo"), lines.join('\n'));
        const QSizeF size = listing.pageSize();
        QVERIFY(qAbs(size.width() - 297 / 25.4 * 96) < 0.01 && qAbs(size.height() - 210 / 25.4 * 96) < 0.01);
        QVERIFY(qAbs(listing.margins().left() - 10 / 25.4 * 96) < 0.01);
        QVERIFY(qAbs(listing.margins().top() - 10 / 25.4 * 96) < 0.01);
    }

    void listingSplitsOverPages() {
        const QStringList lines = listingLines(200);
        Report listing = listingReport("Riepilogo clienti", lines);
        listing.prepare(kNow);
        const QList<Report::Page>& pages = listing.pages();
        QVERIFY(pages.size() >= 3);

        const QSizeF size = listing.pageSize();
        const QMarginsF margins = listing.margins();
        QStringList data;  // every fixed-pitch line, page by page
        int titles = 0, footers = 0;
        for (qsizetype p = 0; p < pages.size(); ++p) {
            double lastTop = -1;
            for (const Item& item : pages[p].items) {
                QVERIFY(item.rect.top() >= margins.top() - 0.01);
                QVERIFY(item.rect.bottom() <= size.height() - margins.bottom() + 0.01);
                QVERIFY(item.rect.right() <= size.width() - margins.right() + 0.01);
                if (item.kind != Item::Kind::Text) continue;
                if (item.text == "Riepilogo clienti") {
                    ++titles;
                    QCOMPARE(p, 0);
                } else if (item.text == "Stampa eseguita in data 05/03/2024") {
                    ++footers;
                    QCOMPARE(p, pages.size() - 1);
                    QVERIFY(item.rect.top() > lastTop);  // after the last line
                } else {
                    QVERIFY(item.fixedPitch);
                    QVERIFY(item.rect.top() > lastTop);
                    lastTop = item.rect.top();
                    data << item.text;
                }
            }
            if (p + 1 < pages.size()) QVERIFY(!textItems(pages[p]).isEmpty());
        }
        QCOMPARE(titles, 1);
        QCOMPARE(footers, 1);
        QStringList expected;
        for (const QString& line : lines) expected << line.trimmed();
        QCOMPARE(data, expected);  // all lines, in order, none twice
    }

    void emptyListingHasTitleAndFooterOnly() {
        Report listing = listingReport("Riepilogo libri disponibili per il prestito", {});
        QCOMPARE(listing.fieldHeight("txtRiepilogo"), 0.0);
        QCOMPARE(listing.bandHeight("MasterData"), 10.0);
        listing.prepare(kNow);
        QCOMPARE(listing.pages().size(), 1);
        QCOMPARE(pageTexts(listing.pages()[0]),
                 (QStringList{"Riepilogo libri disponibili per il prestito", "Stampa eseguita in data 05/03/2024"}));
    }

    void listingLineIsCutNotWrapped() {
        const QString wide = QString("X").repeated(100) + QString("Y").repeated(300);
        Report listing = listingReport("Titolo", {wide, "breve"});
        listing.prepare(kNow);
        const QStringList texts = pageTexts(listing.pages()[0]);
        QCOMPARE(texts.size(), 4);  // title, two lines, footer
        QVERIFY(texts[1].size() > 100 && texts[1].size() < wide.size());
        QVERIFY(wide.startsWith(texts[1]));
        QVERIFY(!texts[1].endsWith(QChar(0x2026)));
        QCOMPARE(texts[2], QString("breve"));
    }

    void fieldShowsWhatItsHeightHolds() {
        Report listing = listingReport("Titolo", listingLines(10));
        QVERIFY(listing.setFieldHeight("txtRiepilogo", 4 * Report::kListingLineHeight));
        listing.prepare(kNow);
        int lines = 0;
        for (const Item& item : textItems(listing.pages()[0])) lines += item.fixedPitch;
        QCOMPARE(lines, 4);
    }

    void changingAFieldAfterPrepareNeedsANewPrepare() {
        Report card = Report::captionValueCard();
        card.setText("txtCampo01", "prima");
        card.prepare(kNow);
        QVERIFY(card.isPrepared());
        card.setText("txtCampo01", "dopo");
        QVERIFY(!card.isPrepared());
        card.prepare(kNow);
        QCOMPARE(pageTexts(card.pages()[0]), QStringList{"dopo"});
    }

    // ---- PDF ----

    void cardPdf() {
        if (!havePoppler()) QSKIP("pdftotext/pdfinfo not installed");
        caltest::ProgramFolder folder;
        const QString path = folder.path("Contatto.pdf");
        QVERIFY(caltest::writeAll(path, "an older file"));
        Report card = clientCard();
        card.prepare(kNow);
        QVERIFY(writeReportPdf(card, path));
        const QByteArray first = caltest::readAll(path);
        QVERIFY(first.startsWith("%PDF-"));
        QVERIFY(!first.contains("FlateDecode"));
        QVERIFY(first.contains("(SCHEDA ANAGRAFICA CLIENTE) Tj"));  // text readable in the file

        const QString text = pdfText(path);
        QVERIFY2(text.contains("SCHEDA ANAGRAFICA CLIENTE"), qPrintable(text));
        for (int row = 1; row <= 24; ++row) {
            const QString caption = card.text("titCampo" + two(row)).simplified();
            const QString value = card.text("txtCampo" + two(row)).simplified();
            QVERIFY2(text.contains(caption + ' ' + value), qPrintable(caption + ' ' + value));
        }
        QVERIFY(text.contains(QString::fromUtf8("€ 1250,00")));
        QVERIFY(text.contains(QString::fromUtf8("Più àèìòù ÀÈÌÒÙ")));
        QVERIFY(text.contains("Stampa eseguita in data 05/03/2024 alle ore 09:07:03"));
        QCOMPARE(pdfInfo(path, "Title"), QString("Scheda informativa"));
        QCOMPARE(pdfInfo(path, "Subject"), QString("Scheda informativa"));
        QCOMPARE(pdfInfo(path, "Pages"), QString("1"));
        QVERIFY(qAbs(pdfPageSize(path).width() - 595.28) < 0.5);  // A4 portrait
        QVERIFY(qAbs(pdfPageSize(path).height() - 841.89) < 0.5);

        // Written again: replaced without a question, the same bytes.
        QVERIFY(writeReportPdf(card, path));
        QCOMPARE(caltest::readAll(path), first);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"Contatto.pdf"});  // no temporary left
    }

    void unpreparedReportIsPreparedForThePdf() {
        if (!havePoppler()) QSKIP("pdftotext/pdfinfo not installed");
        caltest::ProgramFolder folder;
        Report card = Report::captionValueCard();
        card.setText("txtCampo01", "prima");
        card.prepare(kNow);
        card.setText("txtCampo01", "dopo");  // changed after prepare: the file shows the change
        QVERIFY(writeReportPdf(card, folder.path("a.pdf")));
        const QString text = pdfText(folder.path("a.pdf"));
        QVERIFY(text.contains("dopo"));
        QVERIFY(!text.contains("prima"));
    }

    void documentInfoText_data() {
        QTest::addColumn<QString>("title");
        QTest::newRow("plain") << "Scheda informativa";
        QTest::newRow("accents") << QString::fromUtf8("Città è più");
        QTest::newRow("euro dash quotes") << QString::fromUtf8("Importo € – “saldo” … fine");
    }
    void documentInfoText() {
        if (!havePoppler()) QSKIP("pdftotext/pdfinfo not installed");
        QFETCH(QString, title);
        caltest::ProgramFolder folder;
        Report card = Report::captionValueCard();
        card.setDocumentInfo(title, title + " (oggetto)");
        QVERIFY(writeReportPdf(card, folder.path("a.pdf")));
        QCOMPARE(pdfInfo(folder.path("a.pdf"), "Title"), title);
        QCOMPARE(pdfInfo(folder.path("a.pdf"), "Subject"), title + " (oggetto)");
    }

    void pdfWriteFailureKeepsTheOldFile() {
        caltest::ProgramFolder folder;
        Report card = clientCard();
        QVERIFY(!writeReportPdf(card, folder.path("manca/Contatto.pdf")));
        const QString path = folder.path("Contatto.pdf");
        QVERIFY(caltest::writeAll(path, "an older file"));
        {
            CAL_READ_ONLY(guard, folder.path());
            QVERIFY(!writeReportPdf(card, path));
        }
        QCOMPARE(caltest::readAll(path), QByteArray("an older file"));
    }

    void listingPdfPages() {
        if (!havePoppler()) QSKIP("pdftotext/pdfinfo not installed");
        caltest::ProgramFolder folder;
        const QString path = folder.path("listing.pdf");
        const QStringList lines = listingLines(200);
        Report listing = listingReport("Riepilogo clienti", lines);
        listing.prepare(kNow);
        QVERIFY(writeReportPdf(listing, path));
        const int pages = int(listing.pages().size());
        QCOMPARE(pdfInfo(path, "Pages"), QString::number(pages));
        QVERIFY(qAbs(pdfPageSize(path).width() - 841.89) < 0.5);  // A4 landscape
        QVERIFY(qAbs(pdfPageSize(path).height() - 595.28) < 0.5);

        int line = 0;  // index of the next listing line expected
        for (int p = 1; p <= pages; ++p) {
            const QString text = pdfText(path, p);
            QCOMPARE(text.contains("Riepilogo clienti"), p == 1);
            QCOMPARE(text.contains("Stampa eseguita in data 05/03/2024"), p == pages);
            QVERIFY(!text.contains("[DATE]"));
            // The lines the model put on this page are on this page of the file, and its
            // neighbours are not.
            const int first = line;
            for (const Item& item : textItems(listing.pages()[p - 1])) {
                if (!item.fixedPitch) continue;
                QCOMPARE(item.text, lines[line].trimmed());
                QVERIFY2(text.contains(item.text.simplified()), qPrintable(item.text));
                ++line;
            }
            QVERIFY(line > first);
            if (first > 0) QVERIFY(!text.contains(lines[first - 1].simplified()));
            if (line < lines.size()) QVERIFY(!text.contains(lines[line].simplified()));
        }
        QCOMPARE(line, 200);
        const QString last = pdfText(path, pages);
        QVERIFY(last.indexOf(lines.last().simplified()) >= 0);
        QVERIFY(last.indexOf(lines.last().simplified()) < last.indexOf("Stampa eseguita in data"));
    }

    // ---- painting: the printer and the preview draw what the PDF shows ----

    void paintedMatchesPdf_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("client card") << "card";
        QTest::newRow("listing over two pages") << "listing";
    }
    void paintedMatchesPdf() {
        if (!havePoppler()) QSKIP("pdftotext/pdfinfo not installed");
        QFETCH(QString, kind);
        caltest::ProgramFolder folder;
        Report report = kind == "card" ? clientCard() : listingReport("Riepilogo clienti", listingLines(70));
        report.prepare(kNow);
        const QString ours = folder.path("haru.pdf");
        const QString painted = folder.path("painted.pdf");
        QVERIFY(writeReportPdf(report, ours));

        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(painted);
        QVERIFY(printReport(report, printer));

        const QString pages = pdfInfo(ours, "Pages");
        QCOMPARE(pages, QString::number(report.pages().size()));
        QCOMPARE(pdfInfo(painted, "Pages"), pages);
        const QSizeF paintedSize = pdfPageSize(painted);
        const QSizeF ourSize = pdfPageSize(ours);
        QVERIFY(!ourSize.isEmpty());
        QVERIFY(qAbs(paintedSize.width() - ourSize.width()) < 1 && qAbs(paintedSize.height() - ourSize.height()) < 1);
        QCOMPARE(pdfInfo(painted, "Title"), report.title().isEmpty() ? QString() : report.title());
        for (int p = 1; p <= pages.toInt(); ++p) {
            const QSet<QString> expected = lineSet(pdfText(ours, p));
            const QSet<QString> actual = lineSet(pdfText(painted, p));
            QVERIFY(!expected.isEmpty());
            if (actual != expected) {
                qWarning() << "only in the PDF:" << (expected - actual).values();
                qWarning() << "only painted:" << (actual - expected).values();
            }
            QCOMPARE(actual, expected);

            // In the same places: each line starts and ends where the PDF puts it (the painted
            // font is stretched to the PDF font's widths) and sits on the same baseline, give or
            // take the two fonts' different heights.
            const QList<PlacedLine> want = placedLines(ours, p);
            const QList<PlacedLine> got = placedLines(painted, p);
            QCOMPARE(got.size(), want.size());
            // Lines are paired by text and position, not by their order in the file: a caption and
            // its value share a row, and the two fonts may put either a fraction higher.
            QList<PlacedLine> unmatched = got;
            for (const PlacedLine& w : want) {
                const auto it = std::find_if(unmatched.begin(), unmatched.end(), [&](const PlacedLine& g) {
                    return g.text == w.text && qAbs(g.box.left() - w.box.left()) < 0.5 &&
                           qAbs(g.box.right() - w.box.right()) < 0.5 &&
                           qAbs(g.box.center().y() - w.box.center().y()) < 2.5;
                });
                QVERIFY2(it != unmatched.end(), qPrintable(w.text));
                unmatched.erase(it);
            }
        }
    }

    void unpreparedReportIsPreparedForPainting() {
        if (!havePoppler()) QSKIP("pdftotext/pdfinfo not installed");
        caltest::ProgramFolder folder;
        const Report listing = listingReport("Riepilogo clienti", listingLines(3));
        QVERIFY(!listing.isPrepared());
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.path("p.pdf"));
        QVERIFY(printReport(listing, printer));
        const QString text = pdfText(folder.path("p.pdf"));
        QVERIFY(text.contains("Riepilogo clienti"));
        QVERIFY(text.contains(listingLines(3).last().simplified()));
        QVERIFY(text.contains("Stampa eseguita in data " + QDate::currentDate().toString("dd/MM/yyyy")));
        QVERIFY(!listing.isPrepared());  // the caller's report is left as it was
    }

    void printingWithoutAPrinterFailsAndWritesNothing() {
        if (!QPrinterInfo::availablePrinters().isEmpty()) QSKIP("a printer is installed on this machine");
        caltest::ProgramFolder folder;
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder.path()));
        QPrinter printer;
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        const bool printed = printReport(clientCard(), printer);
        QDir::setCurrent(previous);
        QVERIFY(!printed);
        QVERIFY(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
    }
};

CAL_WIDGET_TEST_MAIN(TestReport)
#include "tst_report.moc"
