#pragma once
// The article card index's tables outside its screens: search filters, the list line and the
// export columns. Shared by the screens, the tests and the benchmark.
#include "articles/ArticleLayout.h"
#include "core/Search.h"
#include "core/SpreadsheetWriter.h"

#include <QStringList>

namespace cal {

// Filter fields of the article search, in their Enter order, with their labels. The one on the
// article text searches the whole stored text: a full-text search by word or phrase.
inline constexpr FilterField kArticleFilters[] = {
    {"txtTitolo", "Titolo articolo:", ArticleField::Titolo},
    {"txtDataPub", "Data pubblicazione (gg/mm/aaaa):", ArticleField::DataPub},
    {"txtGenere", "Genere:", ArticleField::Genere},
    {"txtAutore", "Nome autore:", ArticleField::Autore},
    {"txtTestata", "Nome testata:", ArticleField::Testata},
    {"txtNumTestata", "Numero testata:", ArticleField::NumTestata},
    {"txtTesto", "Testo articolo:", ArticleField::Testo},
    {"txtSintesi", "Sintesi:", ArticleField::Sintesi},
    {"txtValutazione", "Valutazione:", ArticleField::Valutazione},
    {"txtNote", "Note:", ArticleField::Note},
};

inline constexpr ListColumn kArticleLine[] = {
    {"", ArticleField::Titolo, 50},
    {"  Data: ", ArticleField::DataPub, 10},
    {"  Autore: ", ArticleField::Autore, 30},
    {"  Testata: ", ArticleField::Testata, 0},
};

inline constexpr ExportColumn kArticleExportColumns[] = {
    {"Titolo articolo", 300}, {"Data pubblicazione", 150}, {"Genere", 250}, {"Nome autore", 250},
    {"Nome testata", 250},    {"Numero", 200},             {"Sintesi", 350}, {"Valutazione", 300},
    {"Link", 300},            {"Note", 300}};

// The 10 export values of one article record, each trimmed: neither the article's text nor
// the attachments are exported.
inline constexpr RecordCell kArticleExportCells[] = {
    {ArticleField::Titolo},     {ArticleField::DataPub}, {ArticleField::Genere},      {ArticleField::Autore},
    {ArticleField::Testata},    {ArticleField::NumTestata}, {ArticleField::Sintesi}, {ArticleField::Valutazione},
    {ArticleField::Sito},       {ArticleField::Note}};
inline constexpr RecordRow articleExportRow{&kArticleLayout, kArticleExportCells};

}  // namespace cal
