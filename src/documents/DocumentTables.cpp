#include "documents/DocumentTables.h"

#include "core/Codepage.h"
#include "core/Record.h"
#include "core/Text.h"

namespace cal {
namespace {
QString value(const char* record, int field) { return trimmed(fromCp1252(fieldBytes(kDocumentLayout, record, field))); }
}  // namespace

QStringList documentExportRow(const char* record) {
    QStringList row;
    // The fields from the name to the notes in file order, then the flag; the digital copy and
    // the attachments are not exported.
    for (int f = DocumentField::Documento; f <= DocumentField::Note; ++f) row << value(record, f);
    row << value(record, DocumentField::DaCompletare);
    return row;
}

bool isToComplete(const char* record) { return value(record, DocumentField::DaCompletare) == kYes; }

}  // namespace cal
