// Help, information and about screens: the topic catalogue, the help screen and its manual
// link, the support and web links, and the manual written at build time from the same topics.
#include "core/Codepage.h"
#include "core/ProgramFolder.h"
#include "screens/TfrmGuida.h"
#include "screens/TfrmInfo.h"
#include "screens/TfrmSplash.h"
#include "testlib/CalWidgetTest.h"
#include "ui/LinkLabel.h"

#include <algorithm>

#include <QDir>
#include <QSet>
#include <QFontInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

using namespace cal;

#ifndef CALVETRA_GUIDE_PDF
#define CALVETRA_GUIDE_PDF ""
#endif

namespace {

// Every title a help command can open.
const QStringList kTitles = {
    "Uno sguardo a Calvetra 4.0.",
    "Applicazione Anagrafica Clienti.",
    "Esportazione archivio clienti in Microsoft Excel.",
    "Applicazione Tariffario Servizi.",
    "Esportazione tariffario servizi in Microsoft Excel.",
    "Applicazione Registro Servizi.",
    "Esportazione registro servizi in Microsoft Excel.",
    "Applicazione Riepilogo Compensi.",
    "Applicazione Scadenze e Appuntamenti.",
    "Visualizzazione scadenze e appuntamenti.",
    "Esportazione archivio scadenze e appuntamenti in Microsoft Excel.",
    "Applicazione Protocollo Posta.",
    "Esportazione protocollo posta in Microsoft Excel.",
    "Riepilogo protocollo per intervallo di tempo.",
    "Applicazione Registro Bonifici.",
    "Esportazione dati bonifici emessi in Microsoft Excel.",
    "Esportazione dati bonifici ricevuti in Microsoft Excel.",
    "Applicazione Riepilogo Movimenti.",
    "Archivio Libri.",
    "Esportazione archivio libri in Microsoft Excel.",
    "Applicazione Schedario Articoli.",
    "Esportazione schedario articoli in Microsoft Excel.",
    "Applicazione Archivio Documenti.",
    "Esportazione archivio documenti in Microsoft Excel.",
};

const QString kLauncher = QStringLiteral("Uno sguardo a Calvetra 4.0.");
const QString kClients = QStringLiteral("Applicazione Anagrafica Clienti.");
const QString kClientExport = QStringLiteral("Esportazione archivio clienti in Microsoft Excel.");

const QString kMailTarget = QStringLiteral(
    "mailto:assistenza@calvetra.it?subject=Software Calvetra&body=Salve, desidererei avere le seguenti "
    "informazioni sul software in oggetto:");

const QString kDeweyAttribution = QStringLiteral(
    "Didascalie della classificazione Dewey tradotte da 'List of Dewey Decimal classes' (contributori di "
    "Wikipedia, CC BY-SA 4.0); suddivisioni in parte dalla Free Decimal Correspondence (CC0).");

QString manualPath() {
    const QString built = QStringLiteral(CALVETRA_GUIDE_PDF);
    if (!built.isEmpty()) return built;
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../Calvetra/Guida.pdf");
}

// The texts of every label of a screen, to look for what it shows.
QStringList labelTexts(const QWidget* screen) {
    QStringList texts;
    for (const QLabel* label : screen->findChildren<QLabel*>()) texts << label->text();
    return texts;
}

// The blocks of a topic's text as the help screen's document holds them, one line each: a
// heading marked "## ", a paragraph as it is; a block formatted as neither is marked "?? ".
// A heading is bold, larger than the body, a document heading, with space above unless it
// comes first; a paragraph is in the body font with space below.
QStringList shownBlocks(const QTextEdit* edit) {
    const qreal bodySize = QFontInfo(edit->font()).pointSizeF();
    QStringList out;
    for (QTextBlock b = edit->document()->begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat block = b.blockFormat();
        const QTextCharFormat chars = b.charFormat();
        bool uniform = true;  // one format for the whole block
        for (auto it = b.begin(); !it.atEnd(); ++it) uniform = uniform && it.fragment().charFormat() == chars;
        const bool first = b == edit->document()->begin();
        const bool heading = uniform && block.headingLevel() > 0 && chars.fontWeight() == QFont::Bold &&
                             chars.fontPointSize() > bodySize * 1.1 && (first || block.topMargin() > 0);
        const bool paragraph = uniform && block.headingLevel() == 0 && chars.fontWeight() != QFont::Bold &&
                               !chars.hasProperty(QTextFormat::FontPointSize) && block.bottomMargin() > 0;
        out << (heading ? "## " : paragraph ? "" : "?? ") + b.text();
    }
    return out;
}

// The lines of text the manual's pages show, read from its uncompressed content streams: each
// "(text) Tj" with its size and whether the font set before it is the bold face. Font names
// are the page's own, so each page's content is read with that page's font resources.
struct ShownLine {
    QString text;
    float size;
    bool bold;
};
QList<ShownLine> manualLines(const QByteArray& bytes) {
    const QString pdf = QString::fromLatin1(bytes);
    const auto object = [&](const QString& number) {
        const QRegularExpression re("\\n" + number + " 0 obj(.*?)\\nendobj", QRegularExpression::DotMatchesEverythingOption);
        return re.match(pdf).captured(1);
    };
    const QRegularExpression page("\\n\\d+ 0 obj\\s*<<\\s*/Type /Page\\b(.*?)\\nendobj",
                                  QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpression shown("/(F\\d+) ([\\d.]+) Tf\\s+[-\\d.]+ [-\\d.]+ Td\\s+\\(((?:[^\\\\)]|\\\\.)*)\\) Tj");
    QList<ShownLine> lines;
    for (const auto& p : page.globalMatch(pdf)) {
        const QString dictionary = p.captured(1);
        QSet<QString> boldNames;
        for (const auto& font : QRegularExpression("/(F\\d+) (\\d+) 0 R").globalMatch(dictionary))
            if (object(font.captured(2)).contains("/BaseFont /Helvetica-Bold")) boldNames.insert(font.captured(1));
        const QString content = object(QRegularExpression("/Contents (\\d+) 0 R").match(dictionary).captured(1));
        for (const auto& m : shown.globalMatch(content)) {
            QByteArray text;
            const QByteArray raw = m.captured(3).toLatin1();
            for (qsizetype i = 0; i < raw.size(); ++i) {
                if (raw[i] != '\\') {
                    text += raw[i];
                } else if (i + 3 < raw.size() && QByteArray("01234567").contains(raw[i + 1])) {
                    text += char(raw.mid(i + 1, 3).toInt(nullptr, 8));  // \ooo, a byte in octal
                    i += 3;
                } else {
                    text += raw[++i];
                }
            }
            lines << ShownLine{fromCp1252(text), m.captured(2).toFloat(), boldNames.contains(m.captured(1))};
        }
    }
    return lines;
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class TestHelp : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::ProgramFolder> folder;
    std::unique_ptr<caltest::FakeServices> fakes;

    // Runs `open` (which shows one modal screen through the services) and hands the screen
    // to `act` while it is up.
    template <typename Screen>
    void whileShown(const std::function<void()>& open, const std::function<void(Screen*)>& act) {
        bool reached = false;
        fakes->screens.handlers << [&](QDialog* dialog) {
            auto* screen = qobject_cast<Screen*>(dialog);
            QVERIFY(screen);
            reached = true;
            act(screen);
        };
        open();
        QVERIFY(reached);
    }

private slots:
    void init() {
        folder = std::make_unique<caltest::ProgramFolder>();
        setProgramFolder(folder->path());
        fakes = std::make_unique<caltest::FakeServices>();
    }
    void cleanup() {
        fakes.reset();
        folder.reset();
    }

    void everyHelpTitleHasATopic_data() {
        QTest::addColumn<QString>("title");
        for (const QString& title : kTitles) QTest::newRow(qPrintable(title)) << title;
    }
    void everyHelpTitleHasATopic() {
        QFETCH(QString, title);
        QVERIFY(helpTopicTitles().contains(title));
        const QList<HelpBlock> blocks = helpTopicBlocks(title);
        const QStringList paragraphs = helpTopicParagraphs(title);
        QVERIFY2(paragraphs.size() >= 2, qPrintable(QString::number(paragraphs.size())));
        // A topic of more than three paragraphs is in sections a reader scans: at least two
        // headings, each named once, each followed by text of its own, and the topic opens with
        // what the screen is for.
        QStringList headings;
        for (qsizetype i = 0; i < blocks.size(); ++i) {
            QVERIFY(!blocks[i].text.trimmed().isEmpty());
            QVERIFY2(!blocks[i].text.contains(u'\n'), qPrintable(blocks[i].text));
            if (blocks[i].kind != HelpBlock::Heading) continue;
            QVERIFY2(!headings.contains(blocks[i].text), qPrintable(blocks[i].text));
            headings << blocks[i].text;
            QVERIFY2(i + 1 < blocks.size() && blocks[i + 1].kind == HelpBlock::Paragraph, qPrintable(blocks[i].text));
        }
        if (paragraphs.size() > 3) QVERIFY2(headings.size() >= 2, qPrintable(QString::number(headings.size())));
        QCOMPARE(blocks.first().kind, HelpBlock::Paragraph);
        // The screen's text separates the blocks with CR LF CR LF and marks the headings.
        const QString text = helpTopicText(title);
        QCOMPARE(helpBlocks(text), blocks);
        for (const QString& heading : headings) QVERIFY(text.contains("\r\n\r\n## " + heading + "\r\n\r\n"));
        // One name for what the program is.
        QVERIFY2(!text.contains("organizer", Qt::CaseInsensitive), qPrintable(title));
        // The manual is written in Windows-1252: nothing of the text may be lost there.
        QCOMPARE(fromCp1252(toCp1252(text)), text);
    }

    void catalogueHoldsEachTitleOnce() {
        const QStringList titles = helpTopicTitles();
        QCOMPARE(titles.size(), kTitles.size());
        QCOMPARE(QSet<QString>(titles.begin(), titles.end()), QSet<QString>(kTitles.begin(), kTitles.end()));
        QVERIFY(helpTopicParagraphs("Argomento che non esiste.").isEmpty());
        QVERIFY(helpTopicText("Argomento che non esiste.").isEmpty());
    }

    void mainTopicsCoverTheirScreen_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("mentions");
        QTest::newRow("launcher") << kLauncher
                                  << QStringList{"CALVETRA", "Cambia password", "Anagrafica Clienti",
                                                 "Tariffario Servizi", "Registro Servizi", "Protocollo Posta",
                                                 "Archivio Documenti", "Scadenze e Appuntamenti",
                                                 "Registro Bonifici", "Riepilogo Movimenti", "Archivio Libri",
                                                 "Schedario Articoli", "Organizzatore",
                                                 // restoring a deleted password file, and where an
                                                 // installed copy keeps each user's data
                                                 "unins000.dll", "/usr/lib/calvetra", ".local/share/Calvetra"};
        QTest::newRow("client screen") << kClients
                                       << QStringList{"Nuova", "Salva", "Duplica", "Trova", "Allegati",
                                                      "Documenti_Allegati", "Cliente_", "Da ricontattare",
                                                      "Anteprima", "Stampa", "Contatto.pdf", "Excel", "Esci",
                                                      "maiuscolo", "soltanto cifre", "Invio"};
        QTest::newRow("client export") << kClientExport
                                       << QStringList{"Clienti.xls", "Archivio Clienti", "Esporta", "Esci"};
        QTest::newRow("document screen")
            << QString("Applicazione Archivio Documenti.")
            << QStringList{"Nuova", "Salva", "Duplica", "Trova", "Allegati", "Sfoglia...", "Documenti_Allegati",
                           "calendario", "Da completare", "Stampa", "Excel", "Esci"};
        QTest::newRow("document export") << QString("Esportazione archivio documenti in Microsoft Excel.")
                                         << QStringList{"Altri_Documenti.xls", "Altri Documenti", "Esporta", "Esci"};
    }
    void mainTopicsCoverTheirScreen() {
        QFETCH(QString, title);
        QFETCH(QStringList, mentions);
        const QString text = helpTopicText(title);
        QVERIFY(helpTopicParagraphs(title).size() >= 4);
        for (const QString& word : mentions) QVERIFY2(text.contains(word), qPrintable(word));
    }

    void helpScreenStartsWithoutATopic() {
        TfrmGuida screen;
        QCOMPARE(screen.windowTitle(), QString(" Guida all'utilizzo del software"));
        QCOMPARE(screen.findChild<QLabel*>("lblTitolo")->text(), QString("Argomento della guida."));
        auto* text = screen.findChild<QTextEdit*>("txtGuida");
        QVERIFY(text->isReadOnly());
        QVERIFY(text->toPlainText().isEmpty());
        QCOMPARE(text->accessibleName(), QString("Testo della guida"));
        QVERIFY(text->textInteractionFlags() & Qt::TextSelectableByKeyboard);
        QCOMPARE(screen.findChild<LinkLabel*>("lnkWeb")->text(), QString("Visualizza guida in formato PDF"));
        QVERIFY(!screen.findChild<LinkLabel*>("imgPDF")->pixmap().isNull());
        QCOMPARE(screen.findChild<QPushButton*>("btnChiudi")->text(), QString("Chiudi"));
    }

    void showHelpShowsTheTopic_data() {
        QTest::addColumn<QString>("title");
        QTest::newRow("launcher") << kLauncher;
        QTest::newRow("client screen") << kClients;
        QTest::newRow("book archive") << QString("Archivio Libri.");
    }
    void showHelpShowsTheTopic() {
        QFETCH(QString, title);
        QString shownTitle;
        QStringList shown;
        bool visible = false;
        whileShown<TfrmGuida>([&] { showHelp(title); },
                              [&](TfrmGuida* screen) {
                                  visible = screen->isVisible();
                                  shownTitle = screen->findChild<QLabel*>("lblTitolo")->text();
                                  shown = shownBlocks(screen->findChild<QTextEdit*>("txtGuida"));
                                  QTest::mouseClick(screen->findChild<QPushButton*>("btnChiudi"), Qt::LeftButton);
                                  QVERIFY(!screen->isVisible());
                              });
        QVERIFY(visible);
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmGuida"});
        QCOMPARE(shownTitle, title);
        // Every heading of the topic shown as a heading, every paragraph as a paragraph.
        QCOMPARE(shown, helpTopicText(title).split("\r\n\r\n"));
        QVERIFY(fakes->shell.opened.isEmpty());
    }

    // Any text given to the screen: headings as headings, paragraphs as paragraphs, and every
    // character of the prose as typed.
    void helpScreenShowsHeadingsAndText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("paragraphs alone") << "Uno.\r\n\r\nDue." << QStringList{"Uno.", "Due."};
        QTest::newRow("intro and sections")
            << "Intro.\r\n\r\n## Comandi\r\n\r\nCtrl+N e Ctrl+S.\r\n\r\n## Messaggi\r\n\r\nUno.\r\n\r\nDue."
            << QStringList{"Intro.", "## Comandi", "Ctrl+N e Ctrl+S.", "## Messaggi", "Uno.", "Due."};
        QTest::newRow("heading first") << "## Comandi\nTesto." << QStringList{"## Comandi", "Testo."};
        QTest::newRow("markup in the prose")
            << "Il campo <b>Note</b> & \"altro\" &amp; <br> &lt;x&gt; <!-- c -->"
            << QStringList{"Il campo <b>Note</b> & \"altro\" &amp; <br> &lt;x&gt; <!-- c -->"};
        QTest::newRow("markup in a heading") << "## <i>A</i> & B\n\nC" << QStringList{"## <i>A</i> & B", "C"};
    }
    void helpScreenShowsHeadingsAndText() {
        QFETCH(QString, text);
        QFETCH(QStringList, shown);
        TfrmGuida screen;
        auto* edit = screen.findChild<QTextEdit*>("txtGuida");
        screen.setTopic("Titolo.", "Testo precedente.\n## Titolo precedente");
        screen.setTopic("Argomento.", text);
        QCOMPARE(screen.findChild<QLabel*>("lblTitolo")->text(), QString("Argomento."));
        QCOMPARE(shownBlocks(edit), shown);
        QVERIFY(edit->isReadOnly());
        QCOMPARE(edit->textCursor().position(), 0);
    }

    void pdfLinkOpensTheManualOnlyWhenPresent_data() {
        QTest::addColumn<QString>("present");
        QTest::addColumn<QString>("link");
        QTest::addColumn<bool>("opens");
        QTest::newRow("no manual, text") << "" << "lnkWeb" << false;
        QTest::newRow("no manual, picture") << "" << "imgPDF" << false;
        QTest::newRow("manual, text") << "file" << "lnkWeb" << true;
        QTest::newRow("manual, picture") << "file" << "imgPDF" << true;
        QTest::newRow("folder of that name") << "folder" << "lnkWeb" << false;
    }
    void pdfLinkOpensTheManualOnlyWhenPresent() {
        QFETCH(QString, present);
        QFETCH(QString, link);
        QFETCH(bool, opens);
        const QString manual = programFile("Guida.pdf");
        if (present == "file") QVERIFY(caltest::writeAll(manual, "%PDF-1.3\n"));
        if (present == "folder") QVERIFY(QDir().mkpath(manual));

        whileShown<TfrmGuida>([&] { showHelp(kLauncher); },
                              [&](TfrmGuida* screen) {
                                  QTest::mouseClick(screen->findChild<LinkLabel*>(link), Qt::LeftButton);
                                  screen->reject();
                              });
        QCOMPARE(fakes->shell.opened, opens ? QStringList{manual} : QStringList{});
        QVERIFY(fakes->dialogs.messages.isEmpty());
    }

    void linkTextChangesColourWhileHeld() {
        TfrmGuida screen;
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        auto* link = screen.findChild<LinkLabel*>("lnkWeb");
        const auto colour = [link] { return link->palette().color(QPalette::WindowText); };
        const QColor normal = colour();
        QCOMPARE(normal, LinkLabel::linkColour());

        QTest::mousePress(link, Qt::LeftButton);
        QVERIFY(colour() != normal);
        QCOMPARE(colour(), LinkLabel::pressedColour());
        QTest::mouseRelease(link, Qt::LeftButton);
        QCOMPARE(colour(), normal);

        // Released away from the link: the colour comes back and nothing is opened.
        QVERIFY(caltest::writeAll(programFile("Guida.pdf"), "%PDF-1.3\n"));
        QTest::mousePress(link, Qt::LeftButton);
        QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-5, -5));
        QCOMPARE(colour(), normal);
        QVERIFY(fakes->shell.opened.isEmpty());
        // The keyboard reaches the link too.
        link->setFocus();
        QTest::keyClick(link, Qt::Key_Space);
        QCOMPARE(fakes->shell.opened, QStringList{programFile("Guida.pdf")});
    }

    void infoScreenWritesToSupport_data() {
        QTest::addColumn<QString>("link");
        QTest::newRow("address") << "lnkWeb";
        QTest::newRow("picture") << "imgEmail";
    }
    void infoScreenWritesToSupport() {
        QFETCH(QString, link);
        whileShown<TfrmInfo>([] { showInfo(); },
                             [&](TfrmInfo* screen) {
                                 QCOMPARE(screen->windowTitle(), QString(" Informazioni su Calvetra"));
                                 QCOMPARE(screen->findChild<LinkLabel*>("lnkWeb")->text(),
                                          QString("assistenza@calvetra.it"));
                                 QVERIFY(!screen->findChild<LinkLabel*>("imgEmail")->pixmap().isNull());
                                 QVERIFY(!screen->findChild<QLabel*>("imgLogo")->pixmap().isNull());
                                 QVERIFY(labelTexts(screen).contains(kDeweyAttribution));
                                 QCOMPARE(screen->findChild<QPushButton*>("btnChiudi")->text(), QString("Chiudi"));
                                 QTest::mouseClick(screen->findChild<LinkLabel*>(link), Qt::LeftButton);
                                 QTest::mouseClick(screen->findChild<QPushButton*>("btnChiudi"), Qt::LeftButton);
                                 QVERIFY(!screen->isVisible());
                             });
        QCOMPARE(fakes->shell.opened, QStringList{kMailTarget});
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmInfo"});
    }

    void aboutScreenOpensTheWebSite_data() {
        QTest::addColumn<QString>("link");
        QTest::newRow("address") << "lnkWeb";
        QTest::newRow("picture") << "imgWeb";
    }
    void aboutScreenOpensTheWebSite() {
        QFETCH(QString, link);
        whileShown<TfrmSplash>([] { showAbout(); },
                               [&](TfrmSplash* screen) {
                                   QCOMPARE(screen->windowTitle(), QString(" Calvetra 4.0"));
                                   QCOMPARE(screen->findChild<LinkLabel*>("lnkWeb")->text(),
                                            QString("https://www.calvetra.it"));
                                   QVERIFY(!screen->findChild<LinkLabel*>("imgWeb")->pixmap().isNull());
                                   QVERIFY(!screen->findChild<QLabel*>("imgLogo")->pixmap().isNull());
                                   QTest::mouseClick(screen->findChild<LinkLabel*>(link), Qt::LeftButton);
                                   QTest::mouseClick(screen->findChild<QPushButton*>("btnChiudi"), Qt::LeftButton);
                               });
        QCOMPARE(fakes->shell.opened, QStringList{"https://www.calvetra.it"});
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmSplash"});
    }

    // The build writes the manual into the program folder from the same topic files.
    void manualHoldsEveryTopic() {
        const QString manual = manualPath();
        QVERIFY2(QFileInfo(manual).isFile(), qPrintable(manual));
        if (QStandardPaths::findExecutable("pdftotext").isEmpty()) QSKIP("pdftotext is not installed");

        const QString cover = run("pdftotext", {"-enc", "UTF-8", "-f", "1", "-l", "1", manual, "-"});
        QVERIFY(cover.simplified().contains("Calvetra 4.0 - Guida all'utilizzo del software"));

        QString text = run("pdftotext", {"-enc", "UTF-8", manual, "-"});
        QVERIFY(!text.isEmpty());
        // Drop the page footers, which may fall inside a paragraph that continues overleaf.
        text.remove(QRegularExpression("Calvetra 4\\.0 - Guida all'utilizzo del software\\s+Pagina \\d+ di \\d+"));
        text.remove(QRegularExpression("Pagina \\d+ di \\d+"));
        text = text.simplified();
        for (const QString& title : kTitles) {
            // Once in the table of contents and once as the heading of its pages.
            QVERIFY2(text.count(title) >= 2, qPrintable(title));
            for (const QString& paragraph : helpTopicParagraphs(title))
                QVERIFY2(text.contains(paragraph.simplified()), qPrintable(paragraph.left(60)));
        }

        const QByteArray bytes = caltest::readAll(manual);
        QVERIFY(!bytes.contains("FlateDecode"));

        // Each section heading of each topic is a line of its own in bold, larger than the text.
        const QList<ShownLine> lines = manualLines(bytes);
        QVERIFY(lines.size() > 100);
        const auto bodySize = [&](const QString& paragraph) {
            for (const ShownLine& line : lines)
                if (paragraph.startsWith(line.text) && !line.bold) return line.size;
            return 0.0f;
        };
        const float body = bodySize(helpTopicParagraphs(kClients).first());
        QVERIFY(body > 0);
        int headings = 0;
        for (const QString& title : kTitles)
            for (const HelpBlock& block : helpTopicBlocks(title)) {
                if (block.kind != HelpBlock::Heading) continue;
                ++headings;
                const bool found = std::any_of(lines.begin(), lines.end(), [&](const ShownLine& line) {
                    return line.text == block.text && line.bold && line.size > body;
                });
                QVERIFY2(found, qPrintable(block.text));
            }
        QVERIFY(headings >= 2 * kTitles.size());
        // The title page names the program as the help and information screens do.
        QVERIFY(cover.simplified().contains("Organizzatore per l'ufficio e lo studio professionale"));
        QVERIFY(!text.contains("organizer", Qt::CaseInsensitive));
        if (!QStandardPaths::findExecutable("pdfinfo").isEmpty())
            QVERIFY(run("pdfinfo", {manual}).contains(QRegularExpression("Title:\\s+Guida all'utilizzo del software\\n")));
    }
};

CAL_WIDGET_TEST_MAIN(TestHelp)
#include "tst_help.moc"
