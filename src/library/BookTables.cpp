#include "library/BookTables.h"

#include "core/Codepage.h"
#include "core/Record.h"
#include "core/Text.h"

#include <QUrl>

namespace cal {
namespace {

QString value(const char* record, int field) { return trimmed(fromCp1252(fieldBytes(kBookLayout, record, field))); }

}  // namespace

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
