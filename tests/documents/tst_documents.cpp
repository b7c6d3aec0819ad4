// The document screen and its search, to-complete list, export and card: what is particular to
// the document archive (the shared protocol is tested over every archive).
#include "core/DateText.h"
#include "core/ProgramFolder.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "documents/DocumentTables.h"
#include "documents/TfrmAltri.h"
#include "report/Report.h"
#include "screens/Catalog.h"
#include "screens/ExportScreen.h"
#include "testlib/CalWidgetTest.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

using namespace cal;
using Kind = Dialogs::Kind;
using namespace DocumentField;

namespace {

// A document written straight into the record file.
struct Doc {
    QString name, date, producer, addressee, number;
    bool toComplete = false;
};

}  // namespace

class TestDocuments : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::ProgramFolder> folder;
    std::unique_ptr<caltest::FakeServices> fakes;
    std::unique_ptr<TfrmAltri> screen;

    QLineEdit* edit(const char* name) {
        auto* e = screen->findChild<QLineEdit*>(name);
        if (!e) qFatal("no %s", name);
        return e;
    }
    QCheckBox* flag() { return screen->findChild<QCheckBox*>("chkDaCompletare"); }
    QLabel* label(const char* name) { return screen->findChild<QLabel*>(name); }
    QString position() { return label("lblPosizione")->text(); }
    QString lastText() { return fakes->dialogs.messages.isEmpty() ? QString() : fakes->dialogs.messages.last().text; }
    void command(const char* name) {
        auto* b = screen->findChild<QToolButton*>(name);
        QVERIFY2(b, name);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QByteArray file() { return caltest::readAll(programFile("Archivio_Documenti.pro")); }
    Record stored(int index) {
        Record r(kDocumentLayout);
        r.bytes() = file().mid(index * kDocumentLayout.size(), kDocumentLayout.size());
        return r;
    }
    void writeDocs(const QList<Doc>& docs) {
        RecordFile f;
        QVERIFY(f.open(programFile("Archivio_Documenti.pro"), kDocumentLayout.size()));
        QVERIFY(f.seek(f.count()));
        for (const Doc& d : docs) {
            Record r(kDocumentLayout);
            r.setText(Documento, d.name);
            r.setText(DataPro, d.date);
            r.setText(Produttore, d.producer);
            r.setText(Destinatario, d.addressee);
            r.setText(Protocollo, d.number);
            r.setText(DaCompletare, d.toComplete ? QString::fromUtf8("Sì") : QString("No"));
            QVERIFY(f.write(r));
        }
        QVERIFY(f.close());
    }
    // The picker's answer: the date chosen and "Importa".
    static caltest::FakeScreens::Handler pick(QDate date, QString* keyword = nullptr) {
        return [date, keyword](QDialog* d) {
            if (keyword) *keyword = d->findChild<QLabel*>("lblMemory")->text();
            d->findChild<QCalendarWidget*>("calAppuntamenti")->setSelectedDate(date);
            d->findChild<QPushButton*>("btnImportaData")->click();
        };
    }
    void fillRequired(const QString& name) {
        edit("txtDocumento")->setText(name);
        edit("txtProduttore")->setText("Rossi Mario");
        edit("txtDataPro")->setText("05/03/2024");
    }
    static QListView* list(QDialog* d) { return d->findChild<QListView*>("lstRecords"); }
    static QStringList lines(QDialog* d) {
        QStringList out;
        for (int i = 0; i < list(d)->model()->rowCount(); ++i) out << list(d)->model()->index(i, 0).data().toString();
        return out;
    }
    static void open(QDialog* d, int row) {
        QListView* l = list(d);
        const QPoint p = l->visualRect(l->model()->index(row, 0)).center();
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, p);
    }
    static QStringList printedTexts(const Report& report) {
        QStringList out;
        for (const Report::Page& page : report.pages())
            for (const Report::Item& item : page.items) out << item.text;
        return out;
    }

private slots:
    void init() {
        folder = std::make_unique<caltest::ProgramFolder>();
        setProgramFolder(folder->path());
        fakes = std::make_unique<caltest::FakeServices>();
        screen = std::make_unique<TfrmAltri>();
        screen->show();
        QApplication::setActiveWindow(screen.get());
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
    }
    void cleanup() {
        screen.reset();
        fakes.reset();
        folder.reset();
    }

    void showsItsFieldsCleared() {
        QCOMPARE(screen->windowTitle(), QString(" Calvetra 4.0 - Archivio Documenti"));
        QCOMPARE(QApplication::focusWidget(), edit("txtDocumento"));
        QVERIFY(edit("txtCopia")->isReadOnly());
        QVERIFY(!screen->findChild<QPushButton*>("btnApri")->isEnabled());
        QCOMPARE(flag()->text(), QString("Da completare"));
        for (int f = Documento; f <= Copia; ++f) {
            const auto& field = kDocumentLayout.fields[f];
            QLineEdit* e = edit(QByteArray(field.name.data(), qsizetype(field.name.size())).constData());
            QCOMPARE(e->maxLength(), field.capacity);
            QVERIFY(e->text().isEmpty());
        }
        // Enter follows the document's order; from the copy it goes back to the name.
        struct Step {
            const char* from;
            const char* to;
        };
        for (const Step& s : {Step{"txtIndirizzoPro", "txtDataPro"}, Step{"txtIndirizzoDes", "txtDataDes"},
                              Step{"txtPagine", "txtAllegati"}, Step{"txtNote", "txtCopia"},
                              Step{"txtCopia", "txtDocumento"}}) {
            edit(s.from)->setFocus();
            QTest::keyClick(edit(s.from), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString(s.to));
        }
        // The focused field has a coloured background, which goes when it loses the focus.
        QLineEdit* e = edit("txtOggetto");
        auto inside = [e] {
            const QImage image = e->grab().toImage();
            return image.pixel(image.width() - 6, image.height() / 2);
        };
        const QRgb normal = inside();
        e->setFocus();
        QVERIFY(inside() != normal);
        edit("txtTipo")->setFocus();
        QCOMPARE(inside(), normal);
    }

    void requiredFieldsInOrder_data() {
        QTest::addColumn<QStringList>("filled");  // name, producer, date
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("nothing, producer and date given")
            << QStringList{"  ", "Rossi", "05/03/2024"}
            << QString::fromUtf8("Attenzione: per salvare la scheda è necessario indicare il nome del documento.")
            << "txtDocumento";
        QTest::newRow("name only")
            << QStringList{"Contratto", "", ""}
            << QString::fromUtf8(
                   "Attenzione: per salvare la scheda è necessario indicare il nome del produttore del documento.")
            << "txtProduttore";
        QTest::newRow("name and producer")
            << QStringList{"Contratto", "Rossi", ""}
            << QString::fromUtf8(
                   "Attenzione: per salvare la scheda è necessario indicare la data di produzione del documento.")
            << "txtDataPro";
    }
    void requiredFieldsInOrder() {
        QFETCH(QStringList, filled);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        edit("txtDocumento")->setText(filled[0]);
        edit("txtProduttore")->setText(filled[1]);
        edit("txtDataPro")->setText(filled[2]);
        edit("txtOggetto")->setFocus();
        command("cmdSalva");
        QCOMPARE(fakes->dialogs.messages.size(), 1);
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Warning);
        QCOMPARE(lastText(), message);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(!QFile::exists(programFile("Archivio_Documenti.pro")));
    }

    void datesComeOnlyFromThePicker_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<int>("index");
        QTest::newRow("production") << "txtDataPro" << "datapro" << int(DataPro);
        QTest::newRow("receipt") << "txtDataDes" << "datades" << int(DataDes);
    }
    void datesComeOnlyFromThePicker() {
        QFETCH(QString, field);
        QFETCH(QString, keyword);
        QFETCH(int, index);
        QLineEdit* date = edit(field.toLatin1().constData());
        fillRequired("Contratto");
        date->setText("01/01/2020");
        date->setFocus();
        QTest::keyClick(date, Qt::Key_Backspace);
        QCOMPARE(date->text(), QString());
        QVERIFY(fakes->screens.shown.isEmpty());
        // A letter opens the picker instead of being typed; the picker writes its date.
        QString asked;
        fakes->screens.handlers << pick(QDate(2024, 3, 5), &asked);
        QTest::keyClick(date, Qt::Key_R);
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmCalendario"});
        QCOMPARE(asked, keyword);
        QCOMPARE(date->text(), QString("05/03/2024"));
        // Enter opens it too; Annulla leaves the date as it was.
        fakes->screens.handlers << [](QDialog* d) { d->findChild<QPushButton*>("btnAnnulla")->click(); };
        QTest::keyClick(date, Qt::Key_Return);
        QCOMPARE(fakes->screens.shown.size(), 2);
        QCOMPARE(date->text(), QString("05/03/2024"));
        command("cmdSalva");
        QCOMPARE(lastText(), QString::fromUtf8("La scheda corrente è stata inserita in archivio."));
        // Stored as exactly ten characters behind their length byte.
        const int at = kDocumentLayout.offset(index);
        QCOMPARE(file().mid(at, 11), QByteArray("\x0a" "05/03/2024"));
        QCOMPARE(stored(0).text(index), QString("05/03/2024"));
    }

    void duplicateDropsTheCopyTheFlagAndTheAttachments() {
        fillRequired("Contratto di locazione");
        edit("txtOggetto")->setText("Locazione ufficio");
        edit("txtCopia")->setText("contratto.pdf");
        flag()->setChecked(true);
        label("lblFile01")->setText("planimetria.pdf");
        label("lblDesc01")->setText("Planimetria");
        command("cmdSalva");
        const QByteArray saved = file();
        QCOMPARE(stored(0).text(DaCompletare), QString::fromUtf8("Sì"));
        command("cmdDuplica");
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Information);
        QCOMPARE(edit("txtCopia")->text(), QString());
        QVERIFY(!flag()->isChecked());
        QCOMPARE(label("lblFile01")->text(), QString());
        QCOMPARE(label("lblDesc01")->text(), QString());
        QVERIFY(!screen->findChild<QPushButton*>("btnApri")->isEnabled());
        QCOMPARE(edit("txtDocumento")->text(), QString("Contratto di locazione"));
        QCOMPARE(edit("txtOggetto")->text(), QString("Locazione ufficio"));
        QCOMPARE(edit("txtDataPro")->text(), QString("05/03/2024"));
        QCOMPARE(QApplication::focusWidget(), edit("txtDocumento"));
        QCOMPARE(position(), QString());
        QCOMPARE(file(), saved);
        command("cmdSalva");
        QCOMPARE(position(), QString("2"));
        const Record copy = stored(1);
        QCOMPARE(copy.text(Copia), QString());
        QCOMPARE(copy.text(DaCompletare), QString("No"));
        QCOMPARE(copy.text(File01), QString());
        QCOMPARE(copy.text(Oggetto), QString("Locazione ufficio"));
        QCOMPARE(stored(0).text(Copia), QString("contratto.pdf"));
    }

    void duplicateAccessFailureIsAWarning() {
        fillRequired("Contratto");
        command("cmdSalva");
        CAL_READ_ONLY(guard, programFile("Archivio_Documenti.pro"));
        fakes->dialogs.messages.clear();
        command("cmdDuplica");
        QCOMPARE(fakes->dialogs.messages.size(), 1);
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Warning);
        QVERIFY(lastText().startsWith("Attenzione: il sistema non permette di accedere all'archivio."));
        command("cmdPrimo");
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Error);
    }

    void toCompleteListFollowsTheFlag() {
        fillRequired("Verbale di assemblea");
        edit("txtDestinatario")->setText("Condominio Aurora");
        edit("txtProtocollo")->setText("2024/17");
        edit("txtCopia")->setText("verbale.pdf");
        label("lblFile02")->setText("firme.pdf");
        flag()->setChecked(true);
        command("cmdSalva");
        command("cmdNuovo");
        fillRequired("Lettera di incarico");
        command("cmdSalva");
        QStringList shown;
        QString title;
        fakes->screens.handlers << [&](QDialog* d) {
            title = d->windowTitle();
            shown = lines(d);
            QCOMPARE(QApplication::focusWidget(), d->findChild<QLineEdit*>("txtTrova"));
            d->findChild<QPushButton*>("btnStampa")->click();
            open(d, 0);
        };
        command("cmdNuovo");
        command("cmdDaCompletare");
        QCOMPARE(title, QString(" Riepilogo documenti da completare"));
        QCOMPARE(shown, QStringList{QString("Verbale di assemblea").leftJustified(40) + "  Data: 05/03/2024  Da: " +
                                    QString("Rossi Mario").leftJustified(30) + "  A: " +
                                    QString("Condominio Aurora").leftJustified(30) + "  Prot. n. 2024/17"});
        QCOMPARE(fakes->printing.printed.size(), 1);
        QCOMPARE(fakes->printing.printed.first().text("txtTitolo"), QString("Riepilogo documenti da completare"));
        // Open puts the whole record on the screen with its position.
        QCOMPARE(position(), QString("1"));
        QCOMPARE(edit("txtDocumento")->text(), QString("Verbale di assemblea"));
        QCOMPARE(edit("txtCopia")->text(), QString("verbale.pdf"));
        QCOMPARE(label("lblFile02")->text(), QString("firme.pdf"));
        QVERIFY(flag()->isChecked());
        // Cleared and saved: not in the list any more.
        flag()->setChecked(false);
        command("cmdSalva");
        fakes->screens.handlers << [&](QDialog* d) { shown = lines(d); };
        command("cmdDaCompletare");
        QVERIFY(shown.isEmpty());
        QCOMPARE(stored(0).text(DaCompletare), QString("No"));
    }

    void searchByYearAndProducer() {
        writeDocs({{"Atto di vendita", "12/01/2024", "Studio Rossi & C.", "Bianchi", "1"},
                   {"Atto di donazione", "30/12/2023", "Rossi Mario", "Verdi", "2"},
                   {"Preventivo", "20/03/2024", "Bianchi Luca", "Rossi", "3"},
                   {"Atto di permuta", "03/03/2024", "Notaio ROSSI", "Neri", "4"}});
        QStringList shown;
        QString title;
        fakes->screens.handlers << [&](QDialog* d) {
            title = d->windowTitle();
            d->findChild<QLineEdit*>("txtDataPro")->setText("2024");
            d->findChild<QLineEdit*>("txtProduttore")->setText("rossi");
            d->findChild<QPushButton*>("btnCerca")->click();
            shown = lines(d);
            d->findChild<QPushButton*>("btnStampa")->click();
            open(d, 0);
        };
        command("cmdTrova");
        QCOMPARE(title, QString(" Trova documenti in archivio"));
        QCOMPARE(shown.size(), 2);
        QVERIFY(shown[0].startsWith("Atto di permuta"));
        QVERIFY(shown[1].startsWith("Atto di vendita"));
        QCOMPARE(fakes->printing.printed.first().text("txtTitolo"), QString("Riepilogo documenti"));
        QCOMPARE(position(), QString("4"));
        QCOMPARE(edit("txtProduttore")->text(), QString("Notaio ROSSI"));
        // Month and year: only March 2024.
        fakes->screens.handlers << [&](QDialog* d) {
            d->findChild<QLineEdit*>("txtDataPro")->setText("03/2024");
            d->findChild<QPushButton*>("btnCerca")->click();
            shown = lines(d);
        };
        command("cmdTrova");
        QCOMPARE(shown.size(), 2);
        QVERIFY(shown[0].startsWith("Atto di permuta"));
        QVERIFY(shown[1].startsWith("Preventivo"));
    }

    void equalLinesOpenTheRecordClicked() {
        const Doc same{"Ricevuta", "01/02/2024", "Rossi", "Verdi", "5"};
        writeDocs({same, {"Altro", "01/02/2024", "Neri", "Bianchi", "6"}, same});
        QStringList shown;
        fakes->screens.handlers << [&](QDialog* d) {
            d->findChild<QLineEdit*>("txtDocumento")->setText("ricevuta");
            d->findChild<QPushButton*>("btnCerca")->click();
            shown = lines(d);
            open(d, 1);
        };
        command("cmdTrova");
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[0], shown[1]);
        QCOMPARE(position(), QString("3"));
    }

    void exportWritesTheTwentyTwoColumns() {
        fillRequired("Contratto");
        edit("txtSoggetti")->setText("Rossi & Bianchi <soci>");
        edit("txtNote")->setText("Ultima colonna prima del flag");
        edit("txtCopia")->setText("copia_digitale.pdf");
        label("lblFile01")->setText("allegato_escluso.pdf");
        flag()->setChecked(true);
        command("cmdSalva");
        command("cmdNuovo");
        fillRequired("Lettera");
        command("cmdSalva");
        QStringList headers;
        QList<QStringList> rows;
        fakes->dialogs.answers = {true, false};
        fakes->screens.handlers << [&](QDialog* d) {
            QCOMPARE(d->windowTitle(), QString(" Esporta archivio documenti in Microsoft Excel"));
            auto* model = d->findChild<QTableView*>("grdRecords")->model();
            for (int c = 0; c < model->columnCount(); ++c) headers << model->headerData(c, Qt::Horizontal).toString();
            rows = static_cast<GridModel*>(model)->rows();
            QTest::mouseClick(d->findChild<QToolButton*>("cmdEsporta"), Qt::LeftButton);
        };
        command("cmdEsporta");
        QCOMPARE(headers.size(), 23);
        QCOMPARE(headers.first(), QString("N."));
        QCOMPARE(headers[5], QString("Data produzione"));
        QCOMPARE(headers.last(), QString("Da completare"));
        QCOMPARE(rows.size(), 2);
        // The grid's rows hold the 22 values; the row number is drawn, not kept.
        QCOMPARE(rows[0].size(), 22);
        QCOMPARE(rows[0][0], QString("Contratto"));
        QCOMPARE(rows[0][4], QString("05/03/2024"));
        QCOMPARE(rows[0][20], QString("Ultima colonna prima del flag"));
        QCOMPARE(rows[0][21], QString::fromUtf8("Sì"));
        QCOMPARE(rows[1][21], QString("No"));
        const QByteArray xls = caltest::readAll(programFile("Altri_Documenti.xls"));
        QVERIFY(xls.contains("<x:Name>Altri Documenti</x:Name>"));
        QCOMPARE(xls.count("<td"), 22 * 3);  // header and two rows
        QVERIFY(xls.contains(">Soggetti citati nel documento<"));
        QVERIFY(xls.contains("Rossi &amp; Bianchi &lt;soci&gt;"));
        QVERIFY(xls.contains(">S\xEC<"));
        QVERIFY(xls.contains(">No<"));
        QVERIFY(!xls.contains("copia_digitale.pdf"));
        QVERIFY(!xls.contains("allegato_escluso.pdf"));
    }

    void cardPrintsTheFieldsAsTyped() {
        fillRequired("  Contratto non salvato  ");
        edit("txtFascicolo")->setText("Pratica 12");
        edit("txtSoggetti")->setText("Rossi Mario, Bianchi Luca");
        edit("txtDataDes")->setText("07/03/2024");
        edit("txtCopia")->setText("copia.pdf");
        flag()->setChecked(true);
        fakes->screens.handlers << [](QDialog* d) {
            QCOMPARE(d->windowTitle(), QString(" Stampa scheda"));
            d->findChild<QPushButton*>("btnAnnulla")->click();
        };
        command("cmdStampa");
        QVERIFY(fakes->printing.printed.isEmpty());
        fakes->screens.handlers << [](QDialog* d) { d->findChild<QPushButton*>("btnStampa")->click(); };
        command("cmdStampa");
        QCOMPARE(fakes->screens.shown, (QStringList{"TfrmStampaAltri", "TfrmStampaAltri"}));
        QCOMPARE(fakes->printing.printed.size(), 1);
        const Report& card = fakes->printing.printed.first();
        QCOMPARE(card.orientation(), Report::Orientation::Portrait);
        QCOMPARE(card.text("txtDocumento"), QString("Contratto non salvato"));
        QCOMPARE(card.text("txtFascicolo"), QString("Pratica 12"));
        QCOMPARE(card.text("txtSoggetti"), QString("Rossi Mario, Bianchi Luca"));
        QCOMPARE(card.text("txtDataDes"), QString("07/03/2024"));
        QVERIFY(card.text("txtCalce").startsWith("Stampa eseguita in data " + todayText() + " alle ore "));
        QVERIFY(!card.hasField("txtCopia"));
        QVERIFY(!card.hasField("chkDaCompletare"));
        const QStringList printed = printedTexts(card);
        for (const char* caption : {"SCHEDA RIASSUNTIVA DEL DOCUMENTO", "Fascicolo contenitore:", "Soggetti citati:",
                                    "Luogo conservazione:", "Software di produzione:", "Protocollo n."})
            QVERIFY2(printed.contains(QString::fromUtf8(caption)), caption);
        QVERIFY(!printed.contains("copia.pdf"));
        QVERIFY(!QFile::exists(programFile("Archivio_Documenti.pro")));
    }
};

CAL_WIDGET_TEST_MAIN(TestDocuments)
#include "tst_documents.moc"
