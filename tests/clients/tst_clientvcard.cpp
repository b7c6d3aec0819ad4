// The clients as an address book (vCard 4.0): the card of a record byte by byte, its folding and
// escaping, the cards read back by an independent parser with every field intact, and the two
// commands that write them: the client screen's for the whole archive, the search's for the
// clients listed.
#include "clients/ClientLayout.h"
#include "clients/ClientVCard.h"
#include "clients/TfrmClienti.h"
#include "core/ProgramFolder.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "core/VCardWriter.h"
#include "screens/ArchiveScreen.h"
#include "screens/Catalog.h"
#include "testlib/CalWidgetTest.h"
#include "testlib/ScreenHelpers.h"
#include "testlib/VObject.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStringDecoder>
#include <QToolButton>
#include <QUuid>

using namespace cal;
using namespace ClientField;
using Kind = Dialogs::Kind;

namespace {

// A person with every exported field, written to try the escaping and the folding.
Record person() {
    Record r(kClientLayout);
    r.setText(Cliente, QString::fromUtf8("D'Angelo, Niccolò; detto \"Nico\""));
    r.setText(DataNasc, "07/03/1980");
    r.setText(IndirizzoRes, QString::fromUtf8("Via Città di Castello 12, scala B; int. 3"));
    r.setText(ComuneRes, QString::fromUtf8("Forlì"));
    r.setText(ProvRes, "FC");
    r.setText(CapRes, "47121");
    r.setText(Recapito, "333 1234567");
    r.setText(TelCasa, "0543 112233");
    r.setText(TelUff, "0543 445566");
    r.setText(TelCel, "333 1234567");
    r.setText(Fax, "niccolo@pec.it");
    r.setText(Email, "niccolo@example.it");
    r.setText(CodFisc, "DNGNCL80C07D704X");
    r.setText(PartitaIva, "01234567890");
    r.setText(Note, QString::fromUtf8("Preferisce essere chiamato al mattino; non il lunedì, né il martedì: "
                                      "è in ufficio a Cesena\\Forlì dalle 9 alle 13, perciò più tardi"));
    r.setText(Carta, "4111111111111111");  // never exported
    r.setText(Iban, "IT60X0542811101000000123456");
    return r;
}

// A firm: its fiscal code is its number of eleven digits.
Record firm() {
    Record r(kClientLayout);
    r.setText(Cliente, QString::fromUtf8("Società Agricola Sàn Martino S.r.l."));
    r.setText(CodFisc, "01234567890");
    r.setText(PartitaIva, "01234567890");
    r.setText(DataNasc, "da verificare");
    r.setText(Recapito, "ufficio: 06 1234");
    return r;
}

QString unfolded(const QByteArray& card) {
    QByteArray joined = card;
    joined.replace("\r\n ", "");
    return QString::fromUtf8(joined);
}

bool writeClients(const QList<Record>& records) {
    RecordFile f;
    if (!f.open(programFile("Contatti.pro"), kClientLayout.size())) return false;
    for (const Record& r : records)
        if (f.append(r) < 1) return false;
    return f.close();
}

}  // namespace

class TestClientVCard : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::ProgramFolder> folder;
    std::unique_ptr<caltest::FakeServices> fakes;

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

    void valuesAreEscaped_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("escaped");
        QTest::newRow("plain") << "Rossi Mario" << "Rossi Mario";
        QTest::newRow("comma") << "Rossi, Mario" << "Rossi\\, Mario";
        QTest::newRow("semicolon") << "a;b" << "a\\;b";
        QTest::newRow("backslash") << "a\\b" << "a\\\\b";
        QTest::newRow("line breaks") << "a\r\nb\nc\rd" << "a\\nb\\nc\\nd";
        QTest::newRow("controls left out") << QString("a\x01" "b\tc\x7F") << "ab\tc";
        QTest::newRow("accents kept") << QString::fromUtf8("città €") << QString::fromUtf8("città €");
    }
    void valuesAreEscaped() {
        QFETCH(QString, value);
        QFETCH(QString, escaped);
        QCOMPARE(vcardEscaped(value), escaped);
    }

    void linesAreFoldedWithinACharacterBoundary_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QList<QByteArray>>("lines");
        const QByteArray a75(75, 'a');
        QTest::newRow("75 octets stay whole") << a75 << QList<QByteArray>{a75};
        QTest::newRow("76 octets fold") << a75 + "b" << QList<QByteArray>{a75, " b"};
        QTest::newRow("continuations hold 74") << a75 + QByteArray(74, 'b') + "c"
                                               << QList<QByteArray>{a75, " " + QByteArray(74, 'b'), " c"};
        // "à" is two octets: at octets 75 and 76 it moves whole to the next line.
        QTest::newRow("two-octet character") << QByteArray(74, 'a') + "\xC3\xA0" + "z"
                                             << QList<QByteArray>{QByteArray(74, 'a'), " \xC3\xA0z"};
        // "€" is three octets starting at octet 74.
        QTest::newRow("three-octet character") << QByteArray(73, 'a') + "\xE2\x82\xAC" + "z"
                                               << QList<QByteArray>{QByteArray(73, 'a'), " \xE2\x82\xACz"};
    }
    void linesAreFoldedWithinACharacterBoundary() {
        QFETCH(QByteArray, content);
        QFETCH(QList<QByteArray>, lines);
        QByteArray expected;
        for (const QByteArray& l : lines) expected += l + "\r\n";
        QCOMPARE(foldedLine(content), expected);
    }

    void theCardOfAPerson() {
        const QByteArray card = clientVCard(person().bytes().constData(), 6);
        // Every physical line ends with CR LF, holds at most 75 octets and is valid UTF-8.
        QVERIFY(card.endsWith("END:VCARD\r\n"));
        for (const QByteArray& line : card.split('\n')) {
            if (line.isEmpty()) continue;
            QVERIFY2(line.endsWith('\r'), line.constData());
            QVERIFY2(line.size() - 1 <= 75, line.constData());
        }
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString decoded = utf8(card);
        QVERIFY(!utf8.hasError());
        QCOMPARE(unfolded(card).split("\r\n"),
                 QStringList({"BEGIN:VCARD", "VERSION:4.0",
                              "UID:urn:uuid:" + QUuid::createUuidV5(QUuid(QStringLiteral("{5b0c1f9e-4d51-4c67-9a1e-2f6a3c9b7d20}")),
                                                                     QStringLiteral("Contatti.pro/7"))
                                                    .toString(QUuid::WithoutBraces),
                              QString::fromUtf8("FN:D'Angelo\\, Niccolò\\; detto \"Nico\""),
                              QString::fromUtf8("N:D'Angelo\\, Niccolò\\; detto \"Nico\";;;;"),
                              "BDAY:19800307",
                              QString::fromUtf8("ADR;TYPE=home:;;Via Città di Castello 12\\, scala B\\; int. 3;Forlì;FC;47121;"),
                              "TEL;TYPE=home,voice:0543 112233", "TEL;TYPE=work,voice:0543 445566",
                              "TEL;TYPE=cell;PREF=1:333 1234567", "EMAIL;PREF=1:niccolo@example.it",
                              "EMAIL;TYPE=x-pec:niccolo@pec.it", "X-CODICE-FISCALE:DNGNCL80C07D704X",
                              "X-PARTITA-IVA:01234567890",
                              QString::fromUtf8("NOTE:Preferisce essere chiamato al mattino\\; non il lunedì\\, né il "
                                                "martedì: è in ufficio a Cesena\\\\Forlì dalle 9 alle 13\\, perciò più "
                                                "tardi\\nCodice fiscale: DNGNCL80C07D704X\\nPartita IVA: "
                                                "01234567890\\nPEC: niccolo@pec.it"),
                              "END:VCARD", ""}));
        QVERIFY(!decoded.contains("4111111111111111"));
        QVERIFY(!decoded.contains("IT60X"));
    }

    void theCardOfAFirm() {
        const QString card = unfolded(clientVCard(firm().bytes().constData(), 0));
        QVERIFY(card.contains("\r\nKIND:org\r\n"));
        QVERIFY(card.contains(QString::fromUtf8("\r\nORG:Società Agricola Sàn Martino S.r.l.\r\n")));
        QVERIFY(!card.contains("\r\nN:"));
        QVERIFY(card.contains("\r\nBDAY;VALUE=text:da verificare\r\n"));
        // The preferred number repeats no other: it stands on its own.
        QVERIFY(card.contains("\r\nTEL;TYPE=voice;PREF=1:ufficio: 06 1234\r\n"));
        QVERIFY(!card.contains("ADR"));
    }

    void cardsReadBackWithEveryField() {
        QVERIFY(writeClients({person(), firm()}));
        const QString target = folder->path("rubrica.vcf");
        bool readFailed = true;
        QCOMPARE(writeClientVCards(programFile("Contatti.pro"), std::nullopt, target, &readFailed), 2);
        QVERIFY(!readFailed);
        const auto cards = caltest::readWithVObject(target);
        if (!cards) QSKIP("python3-vobject is not installed");
        QCOMPARE(cards->size(), 2);
        const QJsonObject p = (*cards)[0].toObject();
        using caltest::propertyValues;
        const QString name = QString::fromUtf8("D'Angelo, Niccolò; detto \"Nico\"");
        QCOMPARE(propertyValues(p, "FN"), QJsonArray{name});
        QCOMPARE(propertyValues(p, "N"), (QJsonArray{QJsonArray{name, "", "", "", ""}}));
        QCOMPARE(propertyValues(p, "ADR"),
                 (QJsonArray{QJsonArray{"", "", QString::fromUtf8("Via Città di Castello 12, scala B; int. 3"),
                                        QString::fromUtf8("Forlì"), "FC", "47121", ""}}));
        QCOMPARE(propertyValues(p, "TEL"), (QJsonArray{"0543 112233", "0543 445566", "333 1234567"}));
        QCOMPARE(caltest::propertyParameters(p, "TEL")[2].toObject()["PREF"], QJsonArray{"1"});
        QCOMPARE(propertyValues(p, "EMAIL"), (QJsonArray{"niccolo@example.it", "niccolo@pec.it"}));
        QCOMPARE(caltest::propertyParameters(p, "EMAIL")[1].toObject()["TYPE"], QJsonArray{"x-pec"});
        QCOMPARE(propertyValues(p, "X-CODICE-FISCALE"), QJsonArray{"DNGNCL80C07D704X"});
        QCOMPARE(propertyValues(p, "X-PARTITA-IVA"), QJsonArray{"01234567890"});
        QCOMPARE(propertyValues(p, "NOTE")[0].toString(),
                 QString::fromUtf8("Preferisce essere chiamato al mattino; non il lunedì, né il martedì: è in ufficio a "
                                   "Cesena\\Forlì dalle 9 alle 13, perciò più tardi\nCodice fiscale: DNGNCL80C07D704X\n"
                                   "Partita IVA: 01234567890\nPEC: niccolo@pec.it"));
        const QJsonObject f = (*cards)[1].toObject();
        QCOMPARE(propertyValues(f, "ORG").size(), 1);
        QCOMPARE(propertyValues(f, "FN"), QJsonArray{QString::fromUtf8("Società Agricola Sàn Martino S.r.l.")});
        QCOMPARE(propertyValues(f, "BDAY"), QJsonArray{"da verificare"});
        // The identifiers are stable and differ from card to card.
        QVERIFY(propertyValues(p, "UID") != propertyValues(f, "UID"));
        QCOMPARE(writeClientVCards(programFile("Contatti.pro"), std::nullopt, folder->path("di nuovo.vcf")), 2);
        QCOMPARE(caltest::readAll(folder->path("di nuovo.vcf")), caltest::readAll(target));
    }

    void theClientScreenWritesTheWholeArchive() {
        TfrmClienti screen;
        screen.show();
        auto* command = screen.findChild<QToolButton*>("cmdRubrica");
        QVERIFY(command);
        QCOMPARE(command->accessibleName(), QString("Rubrica"));
        QVERIFY(command->toolTip().endsWith("(Ctrl+Shift+E)"));
        // An empty archive: nothing to choose, nothing written.
        caltest::command(&screen, "cmdRubrica");
        QCOMPARE(caltest::lastText(fakes->dialogs), QString("L'archivio non contiene nessuna scheda."));
        QVERIFY(fakes->dialogs.newFileChoosers.isEmpty());

        QVERIFY(writeClients({person(), firm()}));
        const QString target = folder->path("Clienti.vcf");
        fakes->dialogs.newFiles << target;
        fakes->dialogs.answers << true;
        caltest::command(&screen, "cmdRubrica");
        QCOMPARE(fakes->dialogs.newFileChoosers,
                 QStringList{"Esporta i clienti in una rubrica (vCard)|Rubrica vCard (*.vcf)|Clienti.vcf"});
        QCOMPARE(fakes->dialogs.questions.last(),
                 QString("L'esportazione nel file %1 è terminata con successo.\r\n\r\nSchede esportate: 2.\r\n\r\n"
                         "Si vuole aprire il file?")
                     .arg(target));
        QCOMPARE(fakes->shell.opened, QStringList{target});
        QCOMPARE(caltest::readAll(target), clientVCard(person().bytes().constData(), 0) + clientVCard(firm().bytes().constData(), 1));

        // Cancelling the chooser writes nothing; a place that cannot be written is told.
        caltest::command(&screen, "cmdRubrica");
        QCOMPARE(fakes->dialogs.questions.size(), 1);
        fakes->dialogs.newFiles << folder->path("manca/Clienti.vcf");
        caltest::command(&screen, "cmdRubrica");
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Error);
        QVERIFY(caltest::lastText(fakes->dialogs).startsWith("Attenzione: non è stato possibile scrivere il file "));
        QVERIFY(!QFile::exists(folder->path("manca")));
    }

    void theSearchWritesTheClientsListed() {
        Record third = person();
        third.setText(Cliente, "Bianchi Anna");
        QVERIFY(writeClients({person(), firm(), third}));
        TfrmClienti screen;
        screen.show();
        const QString target = folder->path("Selezione.vcf");
        fakes->dialogs.newFiles << target;
        fakes->dialogs.answers << false;
        fakes->screens.handlers << [](QDialog* d) {
            // With nothing listed yet, there is nothing to export.
            auto* export_ = d->findChild<QPushButton*>("btnRubrica");
            QVERIFY(export_);
            QCOMPARE(export_->text(), QString("Esporta in &rubrica"));
            d->findChild<QLineEdit*>("txtCliente")->setText("an");
            QTest::mouseClick(d->findChild<QPushButton*>("btnCerca"), Qt::LeftButton);
            QCOMPARE(caltest::listLines(d).size(), 2);  // D'Angelo and Bianchi Anna
            QTest::mouseClick(export_, Qt::LeftButton);
            d->accept();
        };
        caltest::command(&screen, "cmdTrova");
        // In list order: Bianchi (record 3) before D'Angelo (record 1).
        QCOMPARE(caltest::readAll(target), clientVCard(third.bytes().constData(), 2) + clientVCard(person().bytes().constData(), 0));
        QVERIFY(fakes->shell.opened.isEmpty());

        fakes->screens.handlers << [](QDialog* d) {
            d->findChild<QLineEdit*>("txtCliente")->setText("nessuno");
            QTest::mouseClick(d->findChild<QPushButton*>("btnCerca"), Qt::LeftButton);
            QTest::mouseClick(d->findChild<QPushButton*>("btnRubrica"), Qt::LeftButton);
            d->accept();
        };
        caltest::command(&screen, "cmdTrova");
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Plain);
        QCOMPARE(caltest::lastText(fakes->dialogs),
                 QString("Esportazione non applicabile: la lista non contiene nessuna voce."));
        QCOMPARE(fakes->dialogs.newFileChoosers.size(), 1);
    }
};

CAL_WIDGET_TEST_MAIN(TestClientVCard)
#include "tst_clientvcard.moc"
