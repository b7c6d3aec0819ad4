#include "pricelist/PriceListTables.h"

#include "core/Codepage.h"
#include "core/Record.h"
#include "core/Text.h"

namespace cal {

QStringList priceListExportRow(const char* record) {
    QStringList row;
    // The first sixteen fields in file order, then the flag; the request form is not exported.
    for (int f = PriceListField::ID; f <= PriceListField::Note; ++f)
        row << trimmed(fromCp1252(fieldBytes(kPriceListLayout, record, f)));
    row << trimmed(fromCp1252(fieldBytes(kPriceListLayout, record, PriceListField::TarScontata)));
    return row;
}

bool isDiscounted(const char* record) {
    return trimmed(fromCp1252(fieldBytes(kPriceListLayout, record, PriceListField::TarScontata))) == kYes;
}

}  // namespace cal
