#pragma once
// The service price list: the office's catalogue of services with their two rates, and the
// service picker of the service register and the deadlines.
#include "screens/ArchiveScreen.h"

namespace cal {

struct ArchiveModule;

// The price list screen, its search, discounted-rate list and export.
const ArchiveModule& priceListModule();

class TfrmTariffario : public ArchiveScreen {
    Q_OBJECT
public:
    explicit TfrmTariffario(QWidget* parent = nullptr);
};

}  // namespace cal
