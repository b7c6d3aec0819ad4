#include "documents/DocumentTables.h"

#include "core/Codepage.h"
#include "core/Record.h"
#include "core/Text.h"

namespace cal {
namespace {
QString value(const char* record, int field) { return trimmed(fromCp1252(fieldBytes(kDocumentLayout, record, field))); }
}  // namespace

bool isToComplete(const char* record) { return value(record, DocumentField::DaCompletare) == kYes; }

}  // namespace cal
