// Help, information and about screens: the topic catalogue, the help screen and its manual
// link, the support and web links, and the manual written at build time from the same topics.
#include "core/Codepage.h"
#include "core/ProgramFolder.h"
#include "screens/TfrmGuida.h"
#include "screens/TfrmInfo.h"
#include "screens/TfrmSplash.h"
#include "testlib/CalWidgetTest.h"
#include "ui/LinkLabel.h"

#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>

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
        const QStringList paragraphs = helpTopicParagraphs(title);
        QVERIFY2(paragraphs.size() >= 2, qPrintable(QString::number(paragraphs.size())));
        for (const QString& paragraph : paragraphs) {
            QVERIFY(!paragraph.trimmed().isEmpty());
            QVERIFY2(!paragraph.contains(u'\n'), qPrintable(paragraph));
        }
        // The screen's text separates the paragraphs with CR LF CR LF.
        QCOMPARE(helpTopicText(title), paragraphs.join("\r\n\r\n"));
        // The manual is written in Windows-1252: nothing of the text may be lost there.
        const QString text = helpTopicText(title);
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
                                                 "Archivio Documenti", "Scadenze e appuntamenti",
                                                 "Registro Bonifici", "Riepilogo Movimenti", "Archivio Libri",
                                                 "Schedario Articoli",
                                                 // restoring a deleted password file, and where an
                                                 // installed copy keeps each user's data
                                                 "unins000.dll", "/usr/lib/calvetra", ".local/share/Calvetra"};
        QTest::newRow("client screen") << kClients
                                       << QStringList{"Nuovo", "Salva", "Duplica", "Trova", "Allega file",
                                                      "Documenti_Allegati", "Cliente_", "Da ricontattare",
                                                      "Anteprima", "Stampa", "Contatto.pdf", "Esporta", "Esci",
                                                      "maiuscolo", "soltanto cifre", "Invio"};
        QTest::newRow("client export") << kClientExport
                                       << QStringList{"Clienti.xls", "Archivio Clienti", "Esporta", "Esci"};
        QTest::newRow("document screen")
            << QString("Applicazione Archivio Documenti.")
            << QStringList{"Nuovo", "Salva", "Duplica", "Trova", "Allega file", "Sfoglia...", "Documenti_Allegati",
                           "calendario", "Da completare", "Stampa", "Esporta", "Esci"};
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
        auto* text = screen.findChild<QPlainTextEdit*>("txtGuida");
        QVERIFY(text->isReadOnly());
        QVERIFY(text->toPlainText().isEmpty());
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
        QString shownTitle, shownText;
        bool visible = false;
        whileShown<TfrmGuida>([&] { showHelp(title); },
                              [&](TfrmGuida* screen) {
                                  visible = screen->isVisible();
                                  shownTitle = screen->findChild<QLabel*>("lblTitolo")->text();
                                  shownText = screen->findChild<QPlainTextEdit*>("txtGuida")->toPlainText();
                                  QTest::mouseClick(screen->findChild<QPushButton*>("btnChiudi"), Qt::LeftButton);
                                  QVERIFY(!screen->isVisible());
                              });
        QVERIFY(visible);
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmGuida"});
        QCOMPARE(shownTitle, title);
        // One empty line between paragraphs, as the CR LF CR LF of the text gives.
        QCOMPARE(shownText, helpTopicParagraphs(title).join("\n\n"));
        QVERIFY(fakes->shell.opened.isEmpty());
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
        if (!QStandardPaths::findExecutable("pdfinfo").isEmpty())
            QVERIFY(run("pdfinfo", {manual}).contains(QRegularExpression("Title:\\s+Guida all'utilizzo del software\\n")));
    }
};

CAL_WIDGET_TEST_MAIN(TestHelp)
#include "tst_help.moc"
