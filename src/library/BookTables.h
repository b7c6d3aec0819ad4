#pragma once
// The library's tables outside its screens: search filters, the list line, which books the two
// searches consider, the export columns and the address of the web search on an ISBN. Shared by
// the screens, the tests and the benchmark.
#include "core/Search.h"
#include "core/SpreadsheetWriter.h"
#include "library/BookLayout.h"

#include <QString>
#include <QStringList>

namespace cal {

// Filter fields of both book searches, in their Enter order, with their labels.
inline constexpr FilterField kBookFilters[] = {
    {"txtTitolo", "Titolo libro:", BookField::Titolo},
    {"txtCodice", "Codice identificativo:", BookField::Codice},
    {"txtAutore", "Autore:", BookField::Autore},
    {"txtCuratore", "Curatore:", BookField::Curatore},
    {"txtGenere", "Genere:", BookField::Genere},
    {"txtEditore", "Casa editrice:", BookField::Editore},
    {"txtIsbn", "ISBN:", BookField::Isbn},
    {"txtLingua", "Lingua:", BookField::Lingua},
    {"txtDewey", "Codice Dewey:", BookField::Dewey},
    {"txtNote", "Note:", BookField::Note},
};

// "Cod. " + code (24) + "  " + title (50) + "  " + author (30) + "  " + city, publisher and
// year, these three trimmed and joined by single blanks (neither padded nor cut).
inline constexpr ListColumn kBookLine[] = {
    {"Cod. ", BookField::Codice, 24},     {"  ", BookField::Titolo, 50}, {"  ", BookField::Autore, 30},
    {"  ", BookField::Citta, kFreeWidth}, {" ", BookField::Editore, kFreeWidth}, {" ", BookField::Anno, kFreeWidth},
};
inline constexpr ColumnLine bookListLine{&kBookLayout, kBookLine};

// A book is searched only while its cancelled flag reads exactly "No" (trimmed).
bool isBookNotCancelled(const char* record);
// Available for loan: not cancelled, with neither a borrower nor a loan date.
bool isBookAvailable(const char* record);

inline constexpr ExportColumn kBookExportColumns[] = {
    {"Titolo libro", 350},         {"Codice identificativo", 250}, {"Scaffale", 250},
    {"Autore", 280},               {"Nazione", 250},               {"Curatore", 250},
    {"Codice Dewey", 150},         {"Pagine", 100},                {"Genere", 250},
    {"Giudizio", 250},             {"Casa editrice", 250},         {"ISBN", 200},
    {"Città pubblicazione", 250},  {"Anno pubblicazione", 200},    {"Volumi", 200},
    {"Prezzo", 200},               {"Collana", 250},               {"Formato", 250},
    {"Titolo originale", 300},     {"Lingua", 250},                {"Prima pubblicazione", 200},
    {"Traduttore", 250},           {"Versione", 250},              {"Note", 350},
    {"Scheda annullata", 150},
};

// The 25 export values of one book, each trimmed: neither the loan fields nor the validation
// flag nor the attachments are exported.
inline constexpr RecordCell kBookExportCells[] = {
    {BookField::Titolo},   {BookField::Codice},    {BookField::Scaffale}, {BookField::Autore},     {BookField::Nazione},
    {BookField::Curatore}, {BookField::Dewey},     {BookField::Pagine},   {BookField::Genere},     {BookField::Giudizio},
    {BookField::Editore},  {BookField::Isbn},      {BookField::Citta},    {BookField::Anno},       {BookField::Volumi},
    {BookField::Prezzo},   {BookField::Collana},   {BookField::Formato},  {BookField::Originale},  {BookField::Lingua},
    {BookField::Prima},    {BookField::Traduttore}, {BookField::Versione}, {BookField::Note},      {BookField::Annullata}};
inline constexpr RecordRow bookExportRow{&kBookLayout, kBookExportCells};

// The web search page for an ISBN: the query "ISBN:" + the trimmed ISBN, percent-encoded as the
// value of the parameter "q", so that "&", "#", "?" and blanks in the ISBN stay data.
QString isbnSearchAddress(const QString& isbn);

}  // namespace cal
