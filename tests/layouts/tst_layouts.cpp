// The record layouts of the archives: every field's offset and capacity as the file format
// fixes them, the record sizes, and one full record of each archive through the record file.
#include "articles/ArticleLayout.h"
#include "clients/ClientLayout.h"
#include "core/Codepage.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "deadlines/DeadlineLayout.h"
#include "documents/DocumentLayout.h"
#include "library/BookLayout.h"
#include "mail/MailLayout.h"
#include "pricelist/PriceListLayout.h"
#include "services/ServiceLayout.h"
#include "testlib/CalTest.h"
#include "transfers/TransferLayout.h"

#include <span>

using namespace cal;

namespace {

// One field as the file format documents it: the byte offset of its first byte (the length
// byte of a length-prefixed field) and its capacity N. Typed from the format tables, never
// computed, so that a wrong capacity or a missing field in a layout shows up here.
struct Expected {
    const char* name;
    int index;
    int offset;
    int capacity;
};

// client archive
constexpr Expected kClientExpected[] = {
    {"txtCliente", ClientField::Cliente, 0, 50},
    {"txtDataNasc", ClientField::DataNasc, 51, 30},
    {"txtComuneNasc", ClientField::ComuneNasc, 82, 50},
    {"txtProvNasc", ClientField::ProvNasc, 133, 2},
    {"txtSesso", ClientField::Sesso, 136, 1},
    {"txtRecapito", ClientField::Recapito, 138, 50},
    {"txtIndirizzoRes", ClientField::IndirizzoRes, 189, 50},
    {"txtProvRes", ClientField::ProvRes, 240, 2},
    {"txtComuneRes", ClientField::ComuneRes, 243, 50},
    {"txtCapRes", ClientField::CapRes, 294, 5},
    {"txtEstremi", ClientField::Estremi, 300, 250},
    {"txtTelCasa", ClientField::TelCasa, 551, 30},
    {"txtTelUff", ClientField::TelUff, 582, 30},
    {"txtTelCel", ClientField::TelCel, 613, 30},
    {"txtFax", ClientField::Fax, 644, 30},
    {"txtEmail", ClientField::Email, 675, 50},
    {"txtCodFisc", ClientField::CodFisc, 726, 16},
    {"txtCarta", ClientField::Carta, 743, 30},
    {"txtScadeCarta", ClientField::ScadeCarta, 774, 30},
    {"txtPartitaIva", ClientField::PartitaIva, 805, 11},
    {"txtIban", ClientField::Iban, 817, 27},
    {"txtDocumento", ClientField::Documento, 845, 120},
    {"txtEnteRil", ClientField::EnteRil, 966, 50},
    {"txtDataRil", ClientField::DataRil, 1017, 50},
    {"txtServizi", ClientField::Servizi, 1068, 250},
    {"txtTariffa", ClientField::Tariffa, 1319, 120},
    {"txtTessera", ClientField::Tessera, 1440, 30},
    {"txtQuestioni", ClientField::Questioni, 1471, 250},
    {"txtNote", ClientField::Note, 1722, 250},
    {"chkRicontatta", ClientField::Ricontatta, 1973, 2},
    {"lblFile01", ClientField::File01, 1976, 250},
    {"lblFile02", ClientField::File02, 2227, 250},
    {"lblFile03", ClientField::File03, 2478, 250},
    {"lblDesc01", ClientField::Desc01, 2729, 250},
    {"lblDesc02", ClientField::Desc02, 2980, 250},
    {"lblDesc03", ClientField::Desc03, 3231, 250},
};
// price list
constexpr Expected kPriceListExpected[] = {
    {"txtID", PriceListField::ID, 0, 20},
    {"txtTipologia", PriceListField::Tipologia, 21, 50},
    {"txtDescrizione", PriceListField::Descrizione, 72, 250},
    {"txtOrdinaria", PriceListField::Ordinaria, 323, 15},
    {"txtScontata", PriceListField::Scontata, 339, 15},
    {"txtSpese", PriceListField::Spese, 355, 250},
    {"txtPersona", PriceListField::Persona, 606, 50},
    {"txtCodFisc", PriceListField::CodFisc, 657, 16},
    {"txtRecapito", PriceListField::Recapito, 674, 50},
    {"txtEmail", PriceListField::Email, 725, 50},
    {"txtUffici", PriceListField::Uffici, 776, 250},
    {"txtRequisiti", PriceListField::Requisiti, 1027, 250},
    {"txtDocumenti", PriceListField::Documenti, 1278, 250},
    {"txtPagamento", PriceListField::Pagamento, 1529, 250},
    {"txtTempi", PriceListField::Tempi, 1780, 250},
    {"txtNote", PriceListField::Note, 2031, 250},
    {"txtCopia", PriceListField::Copia, 2282, 250},
    {"chkTarScontata", PriceListField::TarScontata, 2533, 2},
    {"lblFile01", PriceListField::File01, 2536, 250},
    {"lblFile02", PriceListField::File02, 2787, 250},
    {"lblFile03", PriceListField::File03, 3038, 250},
    {"lblDesc01", PriceListField::Desc01, 3289, 250},
    {"lblDesc02", PriceListField::Desc02, 3540, 250},
    {"lblDesc03", PriceListField::Desc03, 3791, 250},
};
// service register
constexpr Expected kServiceExpected[] = {
    {"txtID", ServiceField::ID, 0, 20},
    {"txtTipologia", ServiceField::Tipologia, 21, 50},
    {"txtDescrizione", ServiceField::Descrizione, 72, 250},
    {"txtTariffa", ServiceField::Tariffa, 323, 15},
    {"txtDataRic", ServiceField::DataRic, 339, 10},
    {"txtDataEsp", ServiceField::DataEsp, 350, 10},
    {"txtPagamento", ServiceField::Pagamento, 361, 250},
    {"txtCliente", ServiceField::Cliente, 612, 50},
    {"txtCodFisc", ServiceField::CodFisc, 663, 16},
    {"txtDitta", ServiceField::Ditta, 680, 50},
    {"txtIva", ServiceField::Iva, 731, 11},
    {"txtStato", ServiceField::Stato, 743, 250},
    {"txtUffici", ServiceField::Uffici, 994, 250},
    {"txtDocumenti", ServiceField::Documenti, 1245, 250},
    {"txtQuestioni", ServiceField::Questioni, 1496, 250},
    {"txtNote", ServiceField::Note, 1747, 250},
    {"txtCopia", ServiceField::Copia, 1998, 250},
    {"chkPagato", ServiceField::Pagato, 2249, 2},
    {"lblFile01", ServiceField::File01, 2252, 250},
    {"lblFile02", ServiceField::File02, 2503, 250},
    {"lblFile03", ServiceField::File03, 2754, 250},
    {"lblDesc01", ServiceField::Desc01, 3005, 250},
    {"lblDesc02", ServiceField::Desc02, 3256, 250},
    {"lblDesc03", ServiceField::Desc03, 3507, 250},
};
// deadlines
constexpr Expected kDeadlineExpected[] = {
    {"txtGiorno", DeadlineField::Giorno, 0, 2},
    {"txtMese", DeadlineField::Mese, 3, 10},
    {"lblAnno", DeadlineField::Anno, 14, 4},
    {"lblData", DeadlineField::Data, 19, 10},
    {"txtOreApp", DeadlineField::OreApp, 30, 2},
    {"txtMinutiApp", DeadlineField::MinutiApp, 33, 2},
    {"lblOra", DeadlineField::Ora, 36, 5},
    {"txtAvviso", DeadlineField::Avviso, 42, 3},
    {"txtCliente", DeadlineField::Cliente, 46, 50},
    {"txtCodFisc", DeadlineField::CodFisc, 97, 16},
    {"txtRecapito", DeadlineField::Recapito, 114, 50},
    {"txtID", DeadlineField::ID, 165, 20},
    {"txtTipologia", DeadlineField::Tipologia, 186, 50},
    {"txtDescrizione", DeadlineField::Descrizione, 237, 250},
    {"txtUffici", DeadlineField::Uffici, 488, 250},
    {"txtRequisiti", DeadlineField::Requisiti, 739, 250},
    {"txtDocumenti", DeadlineField::Documenti, 990, 250},
    {"txtPersona", DeadlineField::Persona, 1241, 50},
    {"txtDettagli", DeadlineField::Dettagli, 1292, 250},
    {"txtPagamento", DeadlineField::Pagamento, 1543, 250},
    {"txtCosto", DeadlineField::Costo, 1794, 15},
    {"txtSpese", DeadlineField::Spese, 1810, 250},
    {"txtNote", DeadlineField::Note, 2061, 250},
    {"chkDaConfermare", DeadlineField::DaConfermare, 2312, 2},
    {"chkEffettuata", DeadlineField::Effettuata, 2315, 2},
};
// mail register
constexpr Expected kMailExpected[] = {
    {"txtNumero", MailField::Numero, 0, 16},
    {"optTipo", MailField::Tipo, 17, 20},
    {"txtDataReg", MailField::DataReg, 38, 10},
    {"txtUfficio", MailField::Ufficio, 49, 50},
    {"txtOperatore", MailField::Operatore, 100, 50},
    {"txtCategoria", MailField::Categoria, 151, 50},
    {"txtCollocazione", MailField::Collocazione, 202, 120},
    {"txtOggetto", MailField::Oggetto, 323, 250},
    {"txtDataSpe", MailField::DataSpe, 574, 10},
    {"txtDataRic", MailField::DataRic, 585, 10},
    {"txtFormato", MailField::Formato, 596, 50},
    {"txtPagine", MailField::Pagine, 647, 12},
    {"txtRiferimenti", MailField::Riferimenti, 660, 250},
    {"txtNote", MailField::Note, 911, 250},
    {"txtMittente", MailField::Mittente, 1162, 120},
    {"txtRecapitoMit", MailField::RecapitoMit, 1283, 120},
    {"txtDestinatario", MailField::Destinatario, 1404, 120},
    {"txtRecapitoDes", MailField::RecapitoDes, 1525, 120},
    {"txtCopia", MailField::Copia, 1646, 250},
    {"lblFile01", MailField::File01, 1897, 250},
    {"lblFile02", MailField::File02, 2148, 250},
    {"lblFile03", MailField::File03, 2399, 250},
    {"lblDesc01", MailField::Desc01, 2650, 250},
    {"lblDesc02", MailField::Desc02, 2901, 250},
    {"lblDesc03", MailField::Desc03, 3152, 250},
};
// transfer registers
constexpr Expected kTransferExpected[] = {
    {"txtPagatore", TransferField::Pagatore, 0, 50},
    {"txtCodFiscPag", TransferField::CodFiscPag, 51, 16},
    {"txtIbanPag", TransferField::IbanPag, 68, 27},
    {"txtBeneficiario", TransferField::Beneficiario, 96, 50},
    {"txtCodFiscBen", TransferField::CodFiscBen, 147, 16},
    {"txtIbanBen", TransferField::IbanBen, 164, 27},
    {"txtTipo", TransferField::Tipo, 192, 50},
    {"txtDataEse", TransferField::DataEse, 243, 10},
    {"txtCausale", TransferField::Causale, 254, 250},
    {"txtCro", TransferField::Cro, 505, 30},
    {"txtDataAcc", TransferField::DataAcc, 536, 10},
    {"txtImporto", TransferField::Importo, 547, 15},
    {"txtNote", TransferField::Note, 563, 250},
    {"txtCopia", TransferField::Copia, 814, 250},
    {"chkEseguito", TransferField::Eseguito, 1065, 2},
    {"lblFile01", TransferField::File01, 1068, 250},
    {"lblFile02", TransferField::File02, 1319, 250},
    {"lblFile03", TransferField::File03, 1570, 250},
    {"lblDesc01", TransferField::Desc01, 1821, 250},
    {"lblDesc02", TransferField::Desc02, 2072, 250},
    {"lblDesc03", TransferField::Desc03, 2323, 250},
};
// library
constexpr Expected kBookExpected[] = {
    {"txtTitolo", BookField::Titolo, 0, 250},
    {"txtCodice", BookField::Codice, 251, 24},
    {"txtConvalida", BookField::Convalida, 276, 2},
    {"txtScaffale", BookField::Scaffale, 279, 50},
    {"txtAutore", BookField::Autore, 330, 50},
    {"txtNazione", BookField::Nazione, 381, 50},
    {"txtCuratore", BookField::Curatore, 432, 50},
    {"txtDewey", BookField::Dewey, 483, 3},
    {"txtPagine", BookField::Pagine, 487, 12},
    {"txtGenere", BookField::Genere, 500, 50},
    {"txtGiudizio", BookField::Giudizio, 551, 50},
    {"txtEditore", BookField::Editore, 602, 50},
    {"txtIsbn", BookField::Isbn, 653, 50},
    {"txtCitta", BookField::Citta, 704, 50},
    {"txtAnno", BookField::Anno, 755, 30},
    {"txtVolumi", BookField::Volumi, 786, 30},
    {"txtPrezzo", BookField::Prezzo, 817, 30},
    {"txtCollana", BookField::Collana, 848, 50},
    {"txtFormato", BookField::Formato, 899, 50},
    {"txtOriginale", BookField::Originale, 950, 250},
    {"txtLingua", BookField::Lingua, 1201, 30},
    {"txtPrima", BookField::Prima, 1232, 30},
    {"txtTraduttore", BookField::Traduttore, 1263, 50},
    {"txtVersione", BookField::Versione, 1314, 30},
    {"txtPrestato", BookField::Prestato, 1345, 120},
    {"txtScadenza", BookField::Scadenza, 1466, 10},
    {"txtNote", BookField::Note, 1477, 250},
    {"chkAnnullata", BookField::Annullata, 1728, 2},
    {"lblFile01", BookField::File01, 1731, 250},
    {"lblFile02", BookField::File02, 1982, 250},
    {"lblFile03", BookField::File03, 2233, 250},
    {"lblDesc01", BookField::Desc01, 2484, 250},
    {"lblDesc02", BookField::Desc02, 2735, 250},
    {"lblDesc03", BookField::Desc03, 2986, 250},
};
// article card index
constexpr Expected kArticleExpected[] = {
    {"txtTitolo", ArticleField::Titolo, 0, 250},
    {"txtDataPub", ArticleField::DataPub, 251, 10},
    {"txtGenere", ArticleField::Genere, 262, 50},
    {"txtAutore", ArticleField::Autore, 313, 50},
    {"txtTestata", ArticleField::Testata, 364, 50},
    {"txtNumTestata", ArticleField::NumTestata, 415, 30},
    {"txtTesto", ArticleField::Testo, 446, 5000},
    {"txtSintesi", ArticleField::Sintesi, 5447, 250},
    {"txtValutazione", ArticleField::Valutazione, 5698, 250},
    {"txtSito", ArticleField::Sito, 5949, 250},
    {"txtNote", ArticleField::Note, 6200, 250},
    {"lblFile01", ArticleField::File01, 6451, 250},
    {"lblFile02", ArticleField::File02, 6702, 250},
    {"lblFile03", ArticleField::File03, 6953, 250},
    {"lblDesc01", ArticleField::Desc01, 7204, 250},
    {"lblDesc02", ArticleField::Desc02, 7455, 250},
    {"lblDesc03", ArticleField::Desc03, 7706, 250},
};
// document archive
constexpr Expected kDocumentExpected[] = {
    {"txtDocumento", DocumentField::Documento, 0, 120},
    {"txtProtocollo", DocumentField::Protocollo, 121, 30},
    {"txtProduttore", DocumentField::Produttore, 152, 50},
    {"txtIndirizzoPro", DocumentField::IndirizzoPro, 203, 120},
    {"txtDataPro", DocumentField::DataPro, 324, 10},
    {"txtDestinatario", DocumentField::Destinatario, 335, 50},
    {"txtIndirizzoDes", DocumentField::IndirizzoDes, 386, 120},
    {"txtDataDes", DocumentField::DataDes, 507, 10},
    {"txtOggetto", DocumentField::Oggetto, 518, 250},
    {"txtTipo", DocumentField::Tipo, 769, 50},
    {"txtClassificazione", DocumentField::Classificazione, 820, 50},
    {"txtFascicolo", DocumentField::Fascicolo, 871, 120},
    {"txtFormato", DocumentField::Formato, 992, 50},
    {"txtPagine", DocumentField::Pagine, 1043, 30},
    {"txtAllegati", DocumentField::Allegati, 1074, 250},
    {"txtRiferimenti", DocumentField::Riferimenti, 1325, 250},
    {"txtLivello", DocumentField::Livello, 1576, 50},
    {"txtSoftware", DocumentField::Software, 1627, 50},
    {"txtLuogo", DocumentField::Luogo, 1678, 50},
    {"txtSoggetti", DocumentField::Soggetti, 1729, 250},
    {"txtNote", DocumentField::Note, 1980, 250},
    {"txtCopia", DocumentField::Copia, 2231, 250},
    {"chkDaCompletare", DocumentField::DaCompletare, 2482, 2},
    {"lblFile01", DocumentField::File01, 2485, 250},
    {"lblFile02", DocumentField::File02, 2736, 250},
    {"lblFile03", DocumentField::File03, 2987, 250},
    {"lblDesc01", DocumentField::Desc01, 3238, 250},
    {"lblDesc02", DocumentField::Desc02, 3489, 250},
    {"lblDesc03", DocumentField::Desc03, 3740, 250},
};

struct Archive {
    const char* key;  // the file name, or the extension of a per-year archive
    const RecordLayout* layout;
    std::span<const Expected> fields;
    int size;
    bool zeroTerminated;
    const char* diskName;  // the file a program folder holds (2024 for the per-year archives)
};

const Archive kArchives[] = {
    {"Contatti.pro", &kClientLayout, kClientExpected, 3482, false, "Contatti.pro"},
    {"Tariffario.pro", &kPriceListLayout, kPriceListExpected, 4042, false, "Tariffario.pro"},
    {".ser", &kServiceLayout, kServiceExpected, 3758, false, "2024.ser"},
    {".sca", &kDeadlineLayout, kDeadlineExpected, 2318, false, "2024.sca"},
    {".prt", &kMailLayout, kMailExpected, 3403, false, "2024.prt"},
    {"Bonifici_Emessi.pro", &kIssuedTransferLayout, kTransferExpected, 2574, false, "Bonifici_Emessi.pro"},
    {"Bonifici_Ricevuti.pro", &kReceivedTransferLayout, kTransferExpected, 2574, false, "Bonifici_Ricevuti.pro"},
    {"Libri.pro", &kBookLayout, kBookExpected, 3237, false, "Libri.pro"},
    {".art", &kArticleLayout, kArticleExpected, 7957, true, "2024.art"},
    {"Archivio_Documenti.pro", &kDocumentLayout, kDocumentExpected, 3991, false, "Archivio_Documenti.pro"},
};

const Archive* archive(const QString& key) {
    for (const Archive& a : kArchives)
        if (key == QLatin1String(a.key)) return &a;
    return nullptr;
}

// A value that fills a field of capacity N exactly: the field's index, a marker that differs
// between the two records (one of them outside ASCII), then letters.
QString fullValue(int record, int field, int capacity) {
    QString value = QString::number(field) + (record == 0 ? QString::fromUtf8("è") : QStringLiteral("Z"));
    for (int i = 0; value.size() < capacity; ++i) value += QChar('a' + (field + record + i) % 26);
    return value.left(capacity);
}

// The bytes a field occupies in the file when it holds `value` (N + 1 bytes in both kinds).
QByteArray storedField(bool zeroTerminated, int capacity, const QString& value) {
    const QByteArray text = toCp1252(value);
    if (zeroTerminated) return text + QByteArray(capacity + 1 - text.size(), '\0');
    return char(text.size()) + text + QByteArray(capacity - text.size(), '\0');
}

}  // namespace

class TestLayouts : public QObject {
    Q_OBJECT
private slots:
    void fieldOffsets_data() {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("capacity");
        for (const Archive& a : kArchives)
            for (const Expected& f : a.fields)
                QTest::addRow("%s %s", a.key, f.name) << a.key << f.name << f.index << f.offset << f.capacity;
    }
    void fieldOffsets() {
        QFETCH(QString, archive);
        QFETCH(QString, name);
        QFETCH(int, index);
        QFETCH(int, offset);
        QFETCH(int, capacity);
        const RecordLayout& layout = *::archive(archive)->layout;
        const QByteArray utf8 = name.toUtf8();
        const int found = layout.indexOf(std::string_view(utf8.constData(), utf8.size()));
        QCOMPARE(found, index);  // the name is in the layout, once, where its enum says
        QCOMPARE(layout.offset(found), offset);
        QCOMPARE(layout.fields[found].capacity, capacity);
    }

    void recordSizes_data() {
        QTest::addColumn<QString>("archive");
        for (const Archive& a : kArchives) QTest::newRow(a.key) << a.key;
    }
    void recordSizes() {
        QFETCH(QString, archive);
        const Archive& a = *::archive(archive);
        QCOMPARE(a.layout->size(), a.size);
        QCOMPARE(a.layout->count(), int(a.fields.size()));  // no field beyond the documented ones
        QCOMPARE(QString::fromUtf8(a.layout->fileName.data(), a.layout->fileName.size()), archive);
        QCOMPARE(a.layout->zeroTerminated, a.zeroTerminated);
        const Expected& last = a.fields.back();
        QCOMPARE(last.offset + last.capacity + 1, a.size);  // the last field ends the record
    }

    // Two full records through the record file: every field's bytes sit at its documented
    // offset in the file, the last field ends exactly at the record size, and every value
    // reads back whole.
    void fullRecordRoundTrip_data() { recordSizes_data(); }
    void fullRecordRoundTrip() {
        QFETCH(QString, archive);
        const Archive& a = *::archive(archive);
        const RecordLayout& layout = *a.layout;
        caltest::ProgramFolder folder;
        const QString path = folder.path(a.diskName);

        RecordFile file;
        QVERIFY(file.open(path, layout.size()));
        Record record(layout);
        for (int r = 0; r < 2; ++r) {
            for (const Expected& f : a.fields) record.setText(f.index, fullValue(r, f.index, f.capacity));
            QVERIFY(file.write(record));
        }
        QVERIFY(file.close());

        const QByteArray bytes = caltest::readAll(path);
        QCOMPARE(bytes.size(), 2 * a.size);
        for (int r = 0; r < 2; ++r) {
            for (const Expected& f : a.fields) {
                const QByteArray want = storedField(a.zeroTerminated, f.capacity, fullValue(r, f.index, f.capacity));
                QCOMPARE(bytes.mid(r * a.size + f.offset, f.capacity + 1), want);
            }
        }
        // The value written to the last field lands at the last documented offset.
        const Expected& last = a.fields.back();
        const QByteArray lastValue = toCp1252(fullValue(1, last.index, last.capacity));
        const int lastAt = a.size + last.offset;
        if (a.zeroTerminated) {
            QCOMPARE(bytes.mid(lastAt, last.capacity), lastValue);
            QCOMPARE(bytes.at(lastAt + last.capacity), '\0');
        } else {
            QCOMPARE(int(quint8(bytes.at(lastAt))), last.capacity);
            QCOMPARE(bytes.mid(lastAt + 1, last.capacity), lastValue);
        }

        QVERIFY(file.open(path, layout.size()));
        QCOMPARE(file.count(), 2);
        for (int r = 0; r < 2; ++r) {
            Record back(layout);
            QVERIFY(file.read(back));
            for (const Expected& f : a.fields) QCOMPARE(back.text(f.index), fullValue(r, f.index, f.capacity));
        }
        QVERIFY(file.close());
    }
};

CAL_TEST_MAIN(TestLayouts)
#include "tst_layouts.moc"
