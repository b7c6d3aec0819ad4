#include "library/TfrmLibri.h"

#include "core/Text.h"
#include "library/BookTables.h"
#include "library/TfrmCodici_Dewey.h"
#include "screens/Catalog.h"
#include "screens/ExportScreen.h"
#include "screens/SearchScreen.h"
#include "ui/Services.h"

namespace cal {
namespace {

using namespace BookField;

const QStringList kGenres = {
    QStringLiteral("Agricoltura"), QStringLiteral("Amministrazione pubblica"), QStringLiteral("Araldica"),
    QStringLiteral("Architettura"), QStringLiteral("Arte"), QStringLiteral("Arti grafiche"),
    QStringLiteral("Arti plastiche"), QStringLiteral("Arti ricreative e dello spettacolo"),
    QStringLiteral("Assistenza sociale"), QStringLiteral("Astrologia"), QStringLiteral("Astronomia"),
    QStringLiteral("Belle arti e arti decorative"), QStringLiteral("Bibbia"), QStringLiteral("Bibliografia"),
    QStringLiteral("Biblioteconomia"), QStringLiteral("Biografia"), QStringLiteral("Biologia"),
    QStringLiteral("Chimica"), QStringLiteral("Cinema"), QStringLiteral("Classico letterario"),
    QStringLiteral("Commercio, comunicazioni, trasporti"),
    QStringLiteral("Confessioni e sette della Chiesa cristiana"),
    QStringLiteral("Direzione aziendale e servizi ausiliari"), QStringLiteral("Diritto"),
    QStringLiteral("Disegno, arti decorative e arti minori"), QStringLiteral("Dizionario"),
    QStringLiteral("Edilizia"), QStringLiteral("Editoria e giornali"), QStringLiteral("Educazione"),
    QStringLiteral("Elettronica"), QStringLiteral("Enciclopedia"), QStringLiteral("Epistemologia"),
    QStringLiteral("Etica e filosofia morale"), QStringLiteral("Fantascienza"),
    QStringLiteral("Fenomeni e tecniche paranormali"), QStringLiteral("Filosofia"),
    QStringLiteral("Filosofia antica, medievale, orientale"), QStringLiteral("Filosofia occidentale moderna"),
    QStringLiteral("Finanza"), QStringLiteral("Fisica"), QStringLiteral("Fotografia"),
    QStringLiteral("Gastronomia"), QStringLiteral("Genealogia"), QStringLiteral("Geografia"),
    QStringLiteral("Geografia generale, viaggi"), QStringLiteral("Geologia"),
    QStringLiteral("Gestione della casa e della famiglia"), QStringLiteral("Giornalismo"),
    QStringLiteral("Grammatica"), QStringLiteral("Informatica"), QStringLiteral("Ingegneria"),
    QStringLiteral("Letteratura"), QStringLiteral("Lingue rare"), QStringLiteral("Lingue straniere"),
    QStringLiteral("Linguistica"), QStringLiteral("Logica"), QStringLiteral("Manifatture"),
    QStringLiteral("Manoscritti e libri rari"), QStringLiteral("Matematica"), QStringLiteral("Meccanica"),
    QStringLiteral("Medicina e salute"), QStringLiteral("Metafisica e filosofia speculativa"),
    QStringLiteral("Museologia"), QStringLiteral("Musica"), QStringLiteral("Narrativa"),
    QStringLiteral("Natura"), QStringLiteral("Ordini religiosi cristiani"), QStringLiteral("Paleontologia"),
    QStringLiteral("Paleozoologia"), QStringLiteral("Pedagogia"), QStringLiteral("Pittura"),
    QStringLiteral("Poema epico"), QStringLiteral("Poesia"), QStringLiteral("Politica"),
    QStringLiteral("Psichiatria"), QStringLiteral("Psicologia"),
    QStringLiteral("Pubblicazioni in serie e loro indici"), QStringLiteral("Raccolte generali"),
    QStringLiteral("Religione"), QStringLiteral("Religione comparata"),
    QStringLiteral("Religioni non cristiane"), QStringLiteral("Romanzo di appendice"),
    QStringLiteral("Romanzo fantastico"), QStringLiteral("Romanzo giallo"), QStringLiteral("Romanzo horror"),
    QStringLiteral("Romanzo letterario"), QStringLiteral("Romanzo psicologico"),
    QStringLiteral("Romanzo sentimentale"), QStringLiteral("Romanzo storico"), QStringLiteral("Saggistica"),
    QStringLiteral("Scienze"), QStringLiteral("Scienze applicate"), QStringLiteral("Scienze botaniche"),
    QStringLiteral("Scienze della terra e di altri mondi"), QStringLiteral("Scienze della vita"),
    QStringLiteral("Scienze dell'informazione"), QStringLiteral("Scienze economiche"),
    QStringLiteral("Scienze militari"), QStringLiteral("Scienze politiche"), QStringLiteral("Scienze sociali"),
    QStringLiteral("Scienze zoologiche"), QStringLiteral("Scultura"), QStringLiteral("Sicurezza sociale"),
    QStringLiteral("Sociologia"), QStringLiteral("Sport e tempo libero"), QStringLiteral("Statistica"),
    QStringLiteral("Storia"), QStringLiteral("Storia del mondo antico"),
    QStringLiteral("Storia della Chiesa cristiana"), QStringLiteral("Storia dell'Africa"),
    QStringLiteral("Storia dell'America meridionale"), QStringLiteral("Storia dell'America settentrionale"),
    QStringLiteral("Storia dell'Asia"), QStringLiteral("Storia dell'Europa"),
    QStringLiteral("Storia di mondi extraterrestri"), QStringLiteral("Teatro"), QStringLiteral("Tecnologia"),
    QStringLiteral("Teologia"), QStringLiteral("Urbanistica e arte del paesaggio"),
    QStringLiteral("Usi e costumi, etichetta, folclore"),
};

const QStringList kLanguages = {
    QStringLiteral("Afrikaans"), QStringLiteral("Ainu"), QStringLiteral("Albanese"), QStringLiteral("Amarico"),
    QStringLiteral("Antico prussiano"), QStringLiteral("Arabo"), QStringLiteral("Aragonese"),
    QStringLiteral("Aramaico"), QStringLiteral("Armeno"), QStringLiteral("Asturiano"), QStringLiteral("Aymara"),
    QStringLiteral("Azero"), QStringLiteral("Bahasa"), QStringLiteral("Basco"), QStringLiteral("Bashkardi"),
    QStringLiteral("Basso-tedesco"), QStringLiteral("Bengali"), QStringLiteral("Berbero"),
    QStringLiteral("Bhojpuri"), QStringLiteral("Bielorusso"), QStringLiteral("Birmano"),
    QStringLiteral("Bretone"), QStringLiteral("Bulgaro"), QStringLiteral("Cantonese"),
    QStringLiteral("Canzese"), QStringLiteral("Careliano"), QStringLiteral("Careliano proprio"),
    QStringLiteral("Casciubo"), QStringLiteral("Catalano"), QStringLiteral("Ceceno"), QStringLiteral("Ceco"),
    QStringLiteral("Chamorro"), QStringLiteral("Cherokee"), QStringLiteral("Cheyenne"),
    QStringLiteral("Chibcha"), QStringLiteral("Chichewa"), QStringLiteral("Chirghiso"),
    QStringLiteral("Cinese"), QStringLiteral("Cinese classico"), QStringLiteral("Cinese Jinyu"),
    QStringLiteral("Cinese mandarino"), QStringLiteral("Cinese Wu"), QStringLiteral("Copto"),
    QStringLiteral("Coreano"), QStringLiteral("Cornico"), QStringLiteral("Corso"), QStringLiteral("Croato"),
    QStringLiteral("Curdo"), QStringLiteral("Curlandese"), QStringLiteral("Dalmatico"),
    QStringLiteral("Danese"), QStringLiteral("Dzongkha"), QStringLiteral("Ebraico"), QStringLiteral("Eneziano"),
    QStringLiteral("Ersiano"), QStringLiteral("Esperanto"), QStringLiteral("Estone"),
    QStringLiteral("Europanto"), QStringLiteral("Ewe"), QStringLiteral("Faroese"), QStringLiteral("Farsi"),
    QStringLiteral("Fiammingo"), QStringLiteral("Finnico"), QStringLiteral("Francese"),
    QStringLiteral("Frisone"), QStringLiteral("Friulano"), QStringLiteral("Gaelico"),
    QStringLiteral("Galiziano"), QStringLiteral("Gallese"), QStringLiteral("Georgiano"),
    QStringLiteral("Giapponese"), QStringLiteral("Giavanese"), QStringLiteral("Glosa"),
    QStringLiteral("Gotico"), QStringLiteral("Greco"), QStringLiteral("Greco antico"),
    QStringLiteral("Gujarati"), QStringLiteral("Hakka"), QStringLiteral("Hanti"), QStringLiteral("Hausa"),
    QStringLiteral("Hawaiano"), QStringLiteral("Hindi"), QStringLiteral("Igbo"), QStringLiteral("Indonesiano"),
    QStringLiteral("Inglese"), QStringLiteral("Ingrico"), QStringLiteral("Interlingua de Iala"),
    QStringLiteral("Inuit"), QStringLiteral("Irlandese"), QStringLiteral("Islandese"),
    QStringLiteral("Italiano"), QStringLiteral("Ittito"), QStringLiteral("Iuraziano"), QStringLiteral("Ivrit"),
    QStringLiteral("Kamassino"), QStringLiteral("Kannada"), QStringLiteral("Kazako"), QStringLiteral("Komi"),
    QStringLiteral("Ladino"), QStringLiteral("Lao"), QStringLiteral("Latino"),
    QStringLiteral("Latino sine flexione"), QStringLiteral("Lettone"), QStringLiteral("Lingua Franca Nova"),
    QStringLiteral("Linguaggio dei segni"), QStringLiteral("Lituano"), QStringLiteral("Livoniano"),
    QStringLiteral("Livvi"), QStringLiteral("Lombardo"), QStringLiteral("Ludico"), QStringLiteral("Maithili"),
    QStringLiteral("Malayalam"), QStringLiteral("Malgascio"), QStringLiteral("Maltese"),
    QStringLiteral("Mannese"), QStringLiteral("Mansi"), QStringLiteral("Maori"), QStringLiteral("Mapudungun"),
    QStringLiteral("Marathi"), QStringLiteral("Mator"), QStringLiteral("Min Nan"), QStringLiteral("Mocscia"),
    QStringLiteral("Mongolo"), QStringLiteral("Nahuatl"), QStringLiteral("Neneziano"),
    QStringLiteral("Nganasan"), QStringLiteral("Norn"), QStringLiteral("Norreno"), QStringLiteral("Norvegese"),
    QStringLiteral("Occitano"), QStringLiteral("Ojibwa"), QStringLiteral("Olandese"), QStringLiteral("Oriya"),
    QStringLiteral("Oromo"), QStringLiteral("Osseto"), QStringLiteral("Pali"), QStringLiteral("Panjabi"),
    QStringLiteral("Pashto"), QStringLiteral("Permiaco"), QStringLiteral("Persiano"), QStringLiteral("Polacco"),
    QStringLiteral("Portoghese"), QStringLiteral("Punjabi"), QStringLiteral("Quechua"),
    QStringLiteral("Rajasthani"), QStringLiteral("Romancio"), QStringLiteral("Rumeno"), QStringLiteral("Russo"),
    QStringLiteral("Sami di Akkala"), QStringLiteral("Sami di Inari"), QStringLiteral("Sami di Kemi"),
    QStringLiteral("Sami di Kildin"), QStringLiteral("Sami di Lule"), QStringLiteral("Sami di Pite"),
    QStringLiteral("Sami di Ter"), QStringLiteral("Sami di Ume"), QStringLiteral("Sami meridionale"),
    QStringLiteral("Sami settentrionale"), QStringLiteral("Sami skolt"), QStringLiteral("Sango"),
    QStringLiteral("Sanscrito"), QStringLiteral("Sardo"), QStringLiteral("Scozzese"),
    QStringLiteral("Selkupico"), QStringLiteral("Semigallo"), QStringLiteral("Serbo"),
    QStringLiteral("Serbocroato"), QStringLiteral("Serbo-lusaziano o sorabo"), QStringLiteral("Sermo"),
    QStringLiteral("Siciliano"), QStringLiteral("Singalese"), QStringLiteral("Slovacco"),
    QStringLiteral("Sloveno"), QStringLiteral("Somalo"), QStringLiteral("Spagnolo"), QStringLiteral("Sumero"),
    QStringLiteral("Sundanese"), QStringLiteral("Susu"), QStringLiteral("Svedese"), QStringLiteral("Swahili"),
    QStringLiteral("Tagalog"), QStringLiteral("Tagico"), QStringLiteral("Tamil"), QStringLiteral("Tataro"),
    QStringLiteral("Tedesco"), QStringLiteral("Telugu"), QStringLiteral("Tereno"), QStringLiteral("Thai"),
    QStringLiteral("Tibetano"), QStringLiteral("Tigrino"), QStringLiteral("Tocario"),
    QStringLiteral("Turcmeno"), QStringLiteral("Turco"), QStringLiteral("Turco ottomano"),
    QStringLiteral("Ucraino"), QStringLiteral("Udmurt"), QStringLiteral("Ungherese"), QStringLiteral("Unno"),
    QStringLiteral("Urdu"), QStringLiteral("Usbeco"), QStringLiteral("Vai"), QStringLiteral("Vallone"),
    QStringLiteral("Venda"), QStringLiteral("Vepso"), QStringLiteral("Vietnamita"), QStringLiteral("Votico"),
    QStringLiteral("Wolof"), QStringLiteral("Xhosa"), QStringLiteral("Xiang"), QStringLiteral("Yiddish"),
    QStringLiteral("Zande"), QStringLiteral("Zenaga"), QStringLiteral("Zulu"),
};

const ArchiveDefinition kBooks{
    .objectName = "TfrmLibri",
    .layout = &kBookLayout,
    .caption = " Calvetra 4.0 - Archivio Libri",
    .keyword = "libri",
    .groups =
        {
            {" Libro: ",
             {{Titolo, "Titolo libro:"},
              {Codice, "Codice:"},
              {Scaffale, "Scaffale:"},
              {Autore, "Autore:"},
              {Nazione, "Nazione:"},
              {Curatore, "Curatore:"},
              {.field = Dewey,
               .label = "Dewey:",
               .buttons = {{.kind = Side::Custom,
                            .objectName = "btnDewey",
                            .hint = "Visualizza la Tabella dei Codici Dewey.",
                            .caption = "Tabella",
                            .action = [](ArchiveScreen& s) { openDeweyTable(s); }}}},
              {Pagine, "Pagine:"},
              {.field = Genere, .label = "Genere:", .control = Control::EditableList, .items = kGenres},
              {Giudizio, "Giudizio:"}}},
            {" Pubblicazione: ",
             {{Editore, "Casa editrice:"},
              {.field = Isbn,
               .label = "ISBN:",
               .typing = Typing::UpperTrim,
               .buttons = {{.kind = Side::Custom,
                            .objectName = "btnGoogle",
                            .hint = "Cerca sul Web, tramite Google, informazioni relative al libro con l'ISBN indicato.",
                            .caption = "Cerca",
                            .action = searchIsbnOnWeb}}},
              {Citta, "Città:"},
              {Anno, "Anno:"},
              {Volumi, "Volumi:"},
              {Prezzo, "Prezzo:"},
              {Collana, "Collana:"},
              {Formato, "Formato:"},
              {Originale, "Titolo originale:"},
              {.field = Lingua, .label = "Lingua:", .control = Control::EditableList, .items = kLanguages},
              {Prima, "1^ pubbl."},
              {Traduttore, "Traduttore:"},
              {Versione, "Versione:"}}},
            {" Note e prestito: ",
             {{Note, "Note:"},
              {Prestato, "Prestato a:"},
              {.field = Scadenza,
               .label = "Data prestito:",
               .buttons = {{Side::Today, "btnScadenza", "Inserisci la data corrente."}}},
              {.field = Annullata,
               .label = "Annullata",
               .control = Control::Check,
               .hint = "Contrassegna la scheda del libro come annullata per escluderla dai risultati di ricerca."}}},
        },
    .commands =
        {
            {Cmd::New, "Predisponi la schermata per l'inserimento di una nuova scheda."},
            {Cmd::Duplicate,
             "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti."},
            {Cmd::Save, Hint::kSave},
            {Cmd::Find, Hint::kFind, "TfrmTrovaLibri"},
            {.kind = Cmd::List,
             .hint = "Trova un libro in archivio fra quelli disponibili per il prestito.",
             .target = "TfrmTrovaDisponibili",
             .objectName = "cmdDisponibili",
             .caption = "Disponibili",
             .picture = "dialog-ok-apply",
             .keys = "Ctrl+B"},
            {Cmd::Navigation},
            {Cmd::Break},
            {Cmd::Attachments, Hint::kAttach},
            {Cmd::Print, Hint::kPrint},
            {Cmd::Export, "Esporta tutte le schede in archivio in un file di Microsoft Excel.", "TfrmExpLibri"},
            {Cmd::Help, "Visualizza la pagina della guida sensibile al contesto.", "Archivio Libri."},
            {Cmd::Exit, Hint::kExit},
        },
    .checks = {required(Titolo, "Attenzione: per salvare la scheda è necessario indicare il titolo del libro."),
               required(Codice, "Attenzione: per salvare la scheda è necessario indicare il codice identificativo del libro."),
               required(Autore, "Attenzione: per salvare la scheda è necessario indicare l'autore del libro.")},
    .onClear = {{Convalida, Preset::Text, "No"}},
    // Each further volume needs its own code; the copy is neither lent nor cancelled.
    .onDuplicate = {{Codice, Preset::Empty},
                    {Prestato, Preset::Empty},
                    {Scadenza, Preset::Empty},
                    {Convalida, Preset::Text, "No"},
                    {Annullata, Preset::Empty}},
    .enterChain = {Titolo, Codice, Scaffale, Autore, Nazione, Curatore, Dewey, Pagine, Genere, Giudizio, Editore, Isbn,
                   Citta, Anno, Volumi, Prezzo, Collana, Formato, Originale, Lingua, Prima, Traduttore, Versione, Note,
                   Prestato, Scadenza},
    .firstField = Titolo,
    .card =
        {
            .kind = CardKind::FixedCaption,
            .title = "SCHEDA INFORMATIVA LIBRO",
            .rows =
                {
                    {"txtTitolo", "Titolo libro:"},
                    {"txtCodice", "Codice identificativo:"},
                    {"txtScaffale", "Scaffale:"},
                    {"txtAutore", "Autore:"},
                    {"txtNazione", "Nazione:"},
                    {"txtCuratore", "Curatore:"},
                    {"txtDewey", "Codice Dewey:"},
                    {"txtPagine", "Pagine:"},
                    {"txtGenere", "Genere:"},
                    {"txtGiudizio", "Giudizio:"},
                    {"txtEditore", "Casa editrice:"},
                    {"txtIsbn", "ISBN:"},
                    {"txtCitta", "Città pubblicazione:"},
                    {"txtAnno", "Anno pubblicazione:"},
                    {"txtVolumi", "Volumi:"},
                    {"txtPrezzo", "Prezzo:"},
                    {"txtCollana", "Collana:"},
                    {"txtFormato", "Formato:"},
                    {"txtOriginale", "Titolo originale:"},
                    {"txtLingua", "Lingua:"},
                    {"txtPrima", "Prima pubblicazione:"},
                    {"txtTraduttore", "Traduttore:"},
                    {"txtVersione", "Versione:"},
                    {"txtPrestato", "Prestato a:"},
                    {"txtScadenza", "Data prestito:"},
                    {"txtNote", "Note:"},
                },
            .printScreen = "TfrmStampaLibro",
            .printCaption = " Stampa scheda libro",
        },
    .duplicateFocus = Codice,
    .duplicateFailure = FailureKind::Warning,
    .attachments = File01,
};

const SearchDefinition kBookSearch{
    .objectName = "TfrmTrovaLibri",
    .caption = QStringLiteral(" Trova libri in archivio"),
    .layout = &kBookLayout,
    .filters = kBookFilters,
    .line = bookListLine,
    .listed = isBookNotCancelled,
    .listTitle = QStringLiteral("Riepilogo libri in archivio"),
    .ownKeyword = QStringLiteral("libri"),
};

const SearchDefinition kAvailableSearch{
    .objectName = "TfrmTrovaDisponibili",
    .caption = QStringLiteral(" Trova libri disponibili per il prestito"),
    .layout = &kBookLayout,
    .filters = kBookFilters,
    .line = bookListLine,
    .listed = isBookAvailable,
    .listTitle = QStringLiteral("Riepilogo libri disponibili per il prestito"),
    .ownKeyword = QStringLiteral("libri"),
};

const ExportDefinition kBookExport{
    .objectName = "TfrmExpLibri",
    .caption = QStringLiteral(" Esporta archivio libri in Microsoft Excel"),
    .fileName = "Libri.xls",
    .sheetName = "Riepilogo Libri",
    .columns = kBookExportColumns,
    .helpTitle = QStringLiteral("Esportazione archivio libri in Microsoft Excel."),
    .layout = &kBookLayout,
    .row = bookExportRow,
};

}  // namespace

const QStringList& bookGenres() { return kGenres; }
const QStringList& bookLanguages() { return kLanguages; }

void searchIsbnOnWeb(ArchiveScreen& books) {
    const QString isbn = trimmed(books.fieldText(Isbn));
    if (isbn.isEmpty()) {
        warning(QStringLiteral("Attenzione: per poter effettuare una ricerca sul Web è necessario compilare il campo "
                               "relativo all'ISBN del libro."));
        if (QWidget* w = books.fieldWidget(Isbn)) w->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!shell().open(isbnSearchAddress(isbn)))
        warning(QStringLiteral("Attenzione: il sistema non permette di collegarsi al motore di ricerca di Google.\n\r\n\r"
                               "Accertarsi che la propria connessione a Internet funzioni correttamente."));
}

TfrmLibri::TfrmLibri(QWidget* parent) : ArchiveScreen(kBooks, parent) {}

const ArchiveModule& bookModule() {
    static const ArchiveModule module{
        .archive = &kBooks,
        .create = [] { return new TfrmLibri; },
        .searches = {&kBookSearch, &kAvailableSearch},
        .exports = {&kBookExport},
        .launcher = {{.entry = "Libri", .caption = "Archivio Libri",
                      .hint = "Biblioteca con prestiti e classificazione Dewey.",
                      .icon = "archive-library"}},
    };
    return module;
}

}  // namespace cal
