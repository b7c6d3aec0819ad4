#include "articles/TfrmBibliografie.h"

#include "articles/ArticleTables.h"
#include "articles/TfrmCreaRTF.h"
#include "screens/Catalog.h"
#include "screens/ExportScreen.h"
#include "screens/SearchScreen.h"
#include "screens/YearMenu.h"

namespace cal {
namespace {

using namespace ArticleField;

const ArchiveDefinition kArticles{
    .objectName = "TfrmBibliografie",
    .layout = &kArticleLayout,
    .caption = " Calvetra 4.0 - Schedario Articoli anno ",
    .keyword = "bibliografie",
    .groups =
        {
            {" Articolo: ",
             {{Titolo, "Titolo articolo:"},
              {DataPub, "Data pubblicazione:"},
              {Genere, "Genere:"},
              {Autore, "Nome autore:"},
              {Testata, "Nome testata:"},
              {NumTestata, "Numero:"},
              {Testo, "Testo articolo:", Control::Text}}},
            {" Sintesi e valutazione: ",
             {{Sintesi, "Sintesi:"},
              {Valutazione, "Valutazione:"},
              {.field = Sito,
               .label = "Link:",
               .typing = Typing::Trim,
               .buttons = {{.kind = Side::Web,
                            .objectName = "btnSito",
                            .hint = "Vai al sito Internet contenente l'articolo.",
                            .blankWarning = "Attenzione: per collegarsi al sito è necessario indicare il suo Indirizzo."}}},
              {Note, "Note:"}}},
        },
    .commands =
        {
            {Cmd::New, "Predisponi la schermata per l'inserimento di una nuova scheda."},
            {Cmd::Save, Hint::kSave},
            {Cmd::Find, Hint::kFind, "TfrmTrovaBibliografie"},
            {Cmd::Navigation},
            {Cmd::Break},
            {.kind = Cmd::Attachments, .hint = Hint::kAttach, .objectName = "cmdCartella",
             .keys = "Ctrl+L"},
            {.kind = Cmd::Custom,
             .hint = "Esporta la scheda corrente in formato RTF.",
             .objectName = "cmdWord",
             .caption = "RTF",
             .action = [](ArchiveScreen& s) { openRtfExport(QStringLiteral("bibliografie"), s); },
             .picture = "document-export",
             .keys = "Ctrl+R"},
            {.kind = Cmd::Export,
             .hint = "Esporta tutte le schede in archivio in un file di Microsoft Excel.",
             .target = "TfrmExpBibliografie",
             .objectName = "cmdExcel",
             .keys = "Ctrl+E"},
            {Cmd::Help, "Visualizza la pagina della guida sensibile al contesto.", "Applicazione Schedario Articoli."},
            {Cmd::Exit, Hint::kExit},
        },
    .checks = {required(Titolo, "Attenzione: per salvare la scheda è necessario indicare il titolo dell'articolo.")},
    .onClear = {{Sito, Preset::Text, "https://"}},
    // Enter in the article's text starts a new line; the link leads to the notes.
    .enterMoves = {{Titolo, DataPub}, {DataPub, Genere}, {Genere, Autore}, {Autore, Testata},
                   {Testata, NumTestata}, {NumTestata, Testo}, {Sintesi, Valutazione}, {Valutazione, Note},
                   {Sito, Note}, {Note, Titolo}},
    .firstField = Titolo,
    .saveFailure = FailureKind::Plain,
    .attachments = File01,
};

constexpr ColumnLine searchLine{&kArticleLayout, kArticleLine};

const SearchDefinition kArticleSearch{
    .objectName = "TfrmTrovaBibliografie",
    .caption = QStringLiteral(" Trova articoli in schedario"),
    .layout = &kArticleLayout,
    .filters = kArticleFilters,
    .line = searchLine,
    .listTitle = QStringLiteral("Riepilogo articoli in schedario"),
    .ownKeyword = QStringLiteral("bibliografie"),
    .countBefore = QStringLiteral("Il presente elenco contiene 0 schede."),
};

const ExportDefinition kArticleExport{
    .objectName = "TfrmExpBibliografie",
    .caption = QStringLiteral(" Esporta schedario articoli in Microsoft Excel"),
    .fileName = "Articoli.xls",
    .sheetName = "Riepilogo Articoli",
    .columns = kArticleExportColumns,
    .helpTitle = QStringLiteral("Esportazione schedario articoli in Microsoft Excel."),
    .layout = &kArticleLayout,
    .row = articleExportRow,
};

}  // namespace

TfrmBibliografie::TfrmBibliografie(QWidget* parent) : ArchiveScreen(kArticles, parent) {}

const YearMenuTexts kArticleYearMenu{
    .objectName = "TfrmMenuArticoli",
    .caption = " Calvetra 4.0 - Schedario Articoli",
    .heading = "Schedario Articoli:",
    .info = "Utilizzare questo ambiente per catalogare articoli giornalistici in schedari annuali.",
    .extension = ".art",
    .archiveTitle = " Calvetra 4.0 - Schedario Articoli anno ",
    .keyword = "servizi",
    .helpTitle = "Applicazione Schedario Articoli.",
};

const ArchiveModule& articleModule() {
    static const ArchiveModule module{
        .archive = &kArticles,
        .create = [] { return new TfrmBibliografie; },
        .searches = {&kArticleSearch},
        .exports = {&kArticleExport},
        .launcher = {{.entry = "Articoli", .caption = "Schedario Articoli",
                      .hint = "Schedario annuale degli articoli di giornale.",
                      .icon = "archive-articles", .yearMenu = &kArticleYearMenu}},
    };
    return module;
}

}  // namespace cal
