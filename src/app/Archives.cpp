// The archives of the program, in launcher order: the one table the application and the screens'
// name lookups read. Each module brings its own screens, exports and launcher tiles.
#include "articles/TfrmBibliografie.h"
#include "clients/TfrmClienti.h"
#include "deadlines/TfrmScadenzario.h"
#include "documents/TfrmAltri.h"
#include "library/TfrmLibri.h"
#include "mail/TfrmProtocollo.h"
#include "pricelist/TfrmTariffario.h"
#include "screens/Catalog.h"
#include "services/TfrmServizi.h"
#include "transfers/TfrmBonifici.h"

namespace cal {

std::span<const ArchiveModule* const> archiveModules() {
    static const ArchiveModule* const modules[] = {&clientModule(), &priceListModule(), &serviceModule(),
                                                    &mailModule(), &documentModule(), &deadlineModule(),
                                                    &issuedTransferModule(), &receivedTransferModule(), &bookModule(),
                                                    &articleModule()};
    return modules;
}

}  // namespace cal
