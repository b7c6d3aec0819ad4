#pragma once
// The clients as cards of an address book (vCard 4.0), for a phone, a mail program or any address
// book: name, birth date, address, telephones, e-mail, certified e-mail (PEC), fiscal code and VAT
// number.
#include <QByteArray>
#include <QString>

#include <optional>
#include <span>

namespace cal {

// The card of the client record numbered `index` (0-based) in "Contatti.pro".
QByteArray clientVCard(const char* record, qint64 index);

// Writes the cards of the client file `path` into `target`, whole or not at all: of every record in
// file order, or of `records` (0-based) in the order given. The number of cards written, or nullopt
// when the client file cannot be read (`readFailed` set) or the target cannot be written, with the
// cause in `error`.
std::optional<qint64> writeClientVCards(const QString& path, std::optional<std::span<const qint64>> records,
                                        const QString& target, bool* readFailed = nullptr, QString* error = nullptr);

}  // namespace cal
