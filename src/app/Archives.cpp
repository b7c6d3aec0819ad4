// The archives of the program and the launcher's entries: the one table the application and the
// screens' name lookups read.
#include "app/Application.h"
#include "app/YearMenu.h"
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

const LauncherEntry kLauncherEntries[10] = {
    {.entry = "Clienti", .archive = "TfrmClienti"},
    {.entry = "Tariffario", .archive = "TfrmTariffario"},
    {.entry = "Servizi", .archive = "TfrmServizi", .yearMenu = &kServiceYearMenu},
    {.entry = "Posta", .archive = "TfrmProtocollo", .yearMenu = &kMailYearMenu},
    {.entry = "Documenti", .archive = "TfrmAltri"},
    {.entry = "Scadenzario", .archive = "TfrmScadenzario"},
    {.entry = "Bonifici", .screen = "TfrmMenuBonifici"},
    {.entry = "Riepiloghi", .screen = "TfrmMenuRiepBonifici"},
    {.entry = "Libri", .archive = "TfrmLibri"},
    {.entry = "Articoli", .archive = "TfrmBibliografie", .yearMenu = &kArticleYearMenu},
};

std::span<const ArchiveModule* const> archiveModules() {
    static const ArchiveModule* const modules[] = {&clientModule(), &priceListModule(), &serviceModule(),
                                                    &mailModule(), &documentModule(), &deadlineModule(),
                                                    &issuedTransferModule(), &receivedTransferModule(), &bookModule(),
                                                    &articleModule()};
    return modules;
}

}  // namespace cal
