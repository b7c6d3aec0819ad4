#pragma once
// Record layout of the library of books, one file "Libri.pro":
// 34 length-prefixed (FixedString) fields, 3237 bytes per record.
#include "core/RecordLayout.h"

namespace cal {

// Fields in file order, named after the screen field that shows them; the comment is
// the byte offset of the field in the record.
inline constexpr Field kBookFields[] = {
    {"txtTitolo", 250},        // 0
    {"txtCodice", 24},         // 251
    // Hidden validation flag: New and Duplicate set "No", otherwise it is saved back as read.
    {"txtConvalida", 2},       // 276
    {"txtScaffale", 50},       // 279
    {"txtAutore", 50},         // 330
    {"txtNazione", 50},        // 381
    {"txtCuratore", 50},       // 432
    {"txtDewey", 3},           // 483
    {"txtPagine", 12},         // 487
    {"txtGenere", 50},         // 500
    {"txtGiudizio", 50},       // 551
    {"txtEditore", 50},        // 602
    {"txtIsbn", 50},           // 653
    {"txtCitta", 50},          // 704
    {"txtAnno", 30},           // 755
    {"txtVolumi", 30},         // 786
    {"txtPrezzo", 30},         // 817
    {"txtCollana", 50},        // 848
    {"txtFormato", 50},        // 899
    {"txtOriginale", 250},     // 950
    {"txtLingua", 30},         // 1201
    {"txtPrima", 30},          // 1232
    {"txtTraduttore", 50},     // 1263
    {"txtVersione", 30},       // 1314
    {"txtPrestato", 120},      // 1345
    {"txtScadenza", 10},       // 1466
    {"txtNote", 250},          // 1477
    {"chkAnnullata", 2},       // 1728
    {"lblFile01", 250},        // 1731
    {"lblFile02", 250},        // 1982
    {"lblFile03", 250},        // 2233
    {"lblDesc01", 250},        // 2484
    {"lblDesc02", 250},        // 2735
    {"lblDesc03", 250},        // 2986
};

inline constexpr RecordLayout kBookLayout{"Libri.pro", kBookFields};

// Field indexes in file order, for code that addresses fields by index.
namespace BookField {
enum Index : int {
    Titolo,
    Codice,
    Convalida,
    Scaffale,
    Autore,
    Nazione,
    Curatore,
    Dewey,
    Pagine,
    Genere,
    Giudizio,
    Editore,
    Isbn,
    Citta,
    Anno,
    Volumi,
    Prezzo,
    Collana,
    Formato,
    Originale,
    Lingua,
    Prima,
    Traduttore,
    Versione,
    Prestato,
    Scadenza,
    Note,
    Annullata,
    File01,
    File02,
    File03,
    Desc01,
    Desc02,
    Desc03,
    Count
};
}  // namespace BookField

static_assert(kBookLayout.size() == 3237);
static_assert(capacitiesValid(kBookLayout));
static_assert(kBookLayout.count() == BookField::Count);

}  // namespace cal
