#include "pricelist/PriceListTables.h"

#include "core/Codepage.h"
#include "core/Record.h"
#include "core/Text.h"

namespace cal {

bool isDiscounted(const char* record) {
    return trimmed(fromCp1252(fieldBytes(kPriceListLayout, record, PriceListField::TarScontata))) == kYes;
}

}  // namespace cal
