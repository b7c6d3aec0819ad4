#include "clients/ClientVCard.h"

#include "clients/ClientLayout.h"
#include "core/Codepage.h"
#include "core/DateText.h"
#include "core/Record.h"
#include "core/SafeWrite.h"
#include "core/RecordScan.h"
#include "core/Search.h"
#include "core/Text.h"
#include "core/VCardWriter.h"

#include <QUuid>

namespace cal {
namespace {

using namespace ClientField;

// The name space of the cards' identifiers: a card keeps its identifier from one export to the
// next, because a record keeps its position for the life of the file.
const QUuid kCardNamespace(QStringLiteral("{5b0c1f9e-4d51-4c67-9a1e-2f6a3c9b7d20}"));

bool digitsOnly(const QString& text, qsizetype length) {
    return text.size() == length &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

}  // namespace

QByteArray clientVCard(const char* record, qint64 index) {
    auto v = [&](int field) { return trimmed(fromCp1252(fieldBytes(kClientLayout, record, field))); };
    const QString name = v(Cliente);
    const QString fiscalCode = v(CodFisc);
    // A firm's fiscal code is its eleven-digit number; a person's has letters.
    const bool firm = digitsOnly(fiscalCode, 11);

    VCardWriter card;
    card.begin();
    card.plain("UID", QStringLiteral("urn:uuid:") +
                          QUuid::createUuidV5(kCardNamespace, QStringLiteral("Contatti.pro/%1").arg(index + 1))
                              .toString(QUuid::WithoutBraces));
    card.plain("FN", vcardEscaped(name));
    if (firm) {
        card.plain("KIND", QStringLiteral("org"));
        card.text("ORG", name);
    } else {
        // Surname and name are one field: the whole text is the family name.
        card.structured("N", {name, QString(), QString(), QString(), QString()});
    }
    const QString birth = v(DataNasc);
    if (const std::optional<QDate> date = parseDateText(birth))
        card.plain("BDAY", date->toString(QStringLiteral("yyyyMMdd")));
    else
        card.text("BDAY", birth, ";VALUE=text");
    card.structured("ADR", {QString(), QString(), v(IndirizzoRes), v(ComuneRes), v(ProvRes), v(CapRes), QString()},
                    firm ? ";TYPE=work" : ";TYPE=home");

    // The preferred number is marked on the number it repeats, or stands on its own.
    const QString preferred = v(Recapito);
    bool preferredShown = false;
    const struct {
        int field;
        const char* type;
        const char* preferredType;
    } phones[] = {{TelCasa, ";TYPE=home,voice", ";TYPE=home,voice;PREF=1"},
                  {TelUff, ";TYPE=work,voice", ";TYPE=work,voice;PREF=1"},
                  {TelCel, ";TYPE=cell", ";TYPE=cell;PREF=1"}};
    for (const auto& phone : phones) {
        const QString number = v(phone.field);
        const bool isPreferred = !preferredShown && !number.isEmpty() && number == preferred;
        preferredShown = preferredShown || isPreferred;
        card.text("TEL", number, isPreferred ? phone.preferredType : phone.type);
    }
    if (!preferredShown) card.text("TEL", preferred, ";TYPE=voice;PREF=1");

    card.text("EMAIL", v(Email), ";PREF=1");
    card.text("EMAIL", v(Fax), ";TYPE=x-pec");
    card.text("X-CODICE-FISCALE", fiscalCode);
    card.text("X-PARTITA-IVA", v(PartitaIva));
    // Address books that ignore the two codes above still show them in the note.
    QStringList note;
    if (!v(Note).isEmpty()) note << v(Note);
    if (!fiscalCode.isEmpty()) note << QStringLiteral("Codice fiscale: ") + fiscalCode;
    if (!v(PartitaIva).isEmpty()) note << QStringLiteral("Partita IVA: ") + v(PartitaIva);
    if (!v(Fax).isEmpty()) note << QStringLiteral("PEC: ") + v(Fax);
    card.text("NOTE", note.join(u'\n'));
    card.end();
    return card.bytes();
}

std::optional<qint64> writeClientVCards(const QString& path, std::optional<std::span<const qint64>> records,
                                        const QString& target, bool* readFailed, QString* error) {
    QByteArray bytes;
    qint64 count = 0;
    const auto add = [&](qint64 index, const char* record) {
        bytes += clientVCard(record, index);
        ++count;
    };
    const bool read = records ? visitRecords(path, kClientLayout, *records, add) : scanRecordFile(path, kClientLayout, add);
    if (readFailed) *readFailed = !read;
    if (!read) {
        if (error) *error = QStringLiteral("cannot read %1").arg(path);
        return std::nullopt;
    }
    if (!writeFileWhole(target, bytes, error)) return std::nullopt;
    return count;
}

}  // namespace cal
