#include "library/BookTables.h"

#include "core/Codepage.h"
#include "core/Record.h"
#include "core/Text.h"

#include <QUrl>

namespace cal {

bool isBookNotCancelled(const char* record) {
    return FieldText(kBookLayout, record, BookField::Annullata).text() == QLatin1String("No");
}

bool isBookAvailable(const char* record) {
    return isBookNotCancelled(record) && FieldText(kBookLayout, record, BookField::Prestato).text().isEmpty() &&
           FieldText(kBookLayout, record, BookField::Scadenza).text().isEmpty();
}

QString isbnSearchAddress(const QString& isbn) {
    const QByteArray query = QUrl::toPercentEncoding(QStringLiteral("ISBN:") + trimmed(isbn));
    return QStringLiteral("https://www.google.com/search?q=") + QString::fromLatin1(query);
}

}  // namespace cal
