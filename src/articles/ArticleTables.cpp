#include "articles/ArticleTables.h"

#include "core/Codepage.h"
#include "core/Record.h"
#include "core/Text.h"

namespace cal {

QStringList articleExportRow(const char* record) {
    using namespace ArticleField;
    QStringList row;
    for (int f : {Titolo, DataPub, Genere, Autore, Testata, NumTestata, Sintesi, Valutazione, Sito, Note})
        row << trimmed(fromCp1252(fieldBytes(kArticleLayout, record, f)));
    return row;
}

}  // namespace cal
