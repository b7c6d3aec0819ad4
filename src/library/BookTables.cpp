#include "library/BookTables.h"

#include "core/Codepage.h"
#include "core/Record.h"
#include "core/Text.h"

#include <QUrl>

namespace cal {
namespace {

QString value(const char* record, int field) { return trimmed(fromCp1252(fieldBytes(kBookLayout, record, field))); }

inline constexpr ListColumn kPaddedColumns[] = {
    {"Cod. ", BookField::Codice, 24},
    {"  ", BookField::Titolo, 50},
    {"  ", BookField::Autore, 30},
    {"  ", BookField::Citta, 0},
};

}  // namespace

QString bookListLine(const char* record) {
    using namespace BookField;
    // The city closes the padded columns (the last column is neither padded nor cut).
    return buildListLine(kBookLayout, kPaddedColumns, record) + u' ' + value(record, Editore) + u' ' +
           value(record, Anno);
}

bool isBookNotCancelled(const char* record) { return value(record, BookField::Annullata) == QLatin1String("No"); }

bool isBookAvailable(const char* record) {
    return isBookNotCancelled(record) && value(record, BookField::Prestato).isEmpty() &&
           value(record, BookField::Scadenza).isEmpty();
}

QStringList bookExportRow(const char* record) {
    using namespace BookField;
    QStringList row;
    for (int f : {Titolo, Codice, Scaffale, Autore, Nazione, Curatore, Dewey, Pagine, Genere, Giudizio, Editore, Isbn,
                  Citta, Anno, Volumi, Prezzo, Collana, Formato, Originale, Lingua, Prima, Traduttore, Versione, Note,
                  Annullata})
        row << value(record, f);
    return row;
}

QString isbnSearchAddress(const QString& isbn) {
    const QByteArray query = QUrl::toPercentEncoding(QStringLiteral("ISBN:") + trimmed(isbn));
    return QStringLiteral("https://www.google.com/search?q=") + QString::fromLatin1(query);
}

}  // namespace cal
