#pragma once
// Record layout of the article card index, one file per year (2024.art):
// 17 zero-terminated (FixedZString) fields, 7957 bytes per record.
#include "core/RecordLayout.h"

namespace cal {

// Fields in file order, named after the screen field that shows them; the comment is
// the byte offset of the field in the record.
inline constexpr Field kArticleFields[] = {
    {"txtTitolo", 250},         // 0
    {"txtDataPub", 10},         // 251
    {"txtGenere", 50},          // 262
    {"txtAutore", 50},          // 313
    {"txtTestata", 50},         // 364
    {"txtNumTestata", 30},      // 415
    // The full text of the article; longer than a length byte could count, which only a
    // zero-terminated field allows.
    {"txtTesto", 5000},         // 446
    {"txtSintesi", 250},        // 5447
    {"txtValutazione", 250},    // 5698
    {"txtSito", 250},           // 5949
    {"txtNote", 250},           // 6200
    {"lblFile01", 250},         // 6451
    {"lblFile02", 250},         // 6702
    {"lblFile03", 250},         // 6953
    {"lblDesc01", 250},         // 7204
    {"lblDesc02", 250},         // 7455
    {"lblDesc03", 250},         // 7706
};

// Per-year archive: the file is the four-digit year followed by this extension.
inline constexpr RecordLayout kArticleLayout{".art", kArticleFields, /*zeroTerminated=*/true};

// Field indexes in file order, for code that addresses fields by index.
namespace ArticleField {
enum Index : int {
    Titolo,
    DataPub,
    Genere,
    Autore,
    Testata,
    NumTestata,
    Testo,
    Sintesi,
    Valutazione,
    Sito,
    Note,
    File01,
    File02,
    File03,
    Desc01,
    Desc02,
    Desc03,
    Count
};
}  // namespace ArticleField

static_assert(kArticleLayout.size() == 7957);
static_assert(capacitiesValid(kArticleLayout));
static_assert(kArticleLayout.count() == ArticleField::Count);

}  // namespace cal
