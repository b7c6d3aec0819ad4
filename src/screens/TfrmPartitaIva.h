#pragma once
// The VAT number check screen: whether a partita IVA ends with its check digit, and which VAT
// office issued it.
#include "screens/CheckScreens.h"

namespace cal {

class TfrmPartitaIva : public CheckScreen {
    Q_OBJECT
public:
    explicit TfrmPartitaIva(QWidget* parent = nullptr);
    void check() override;
};

}  // namespace cal
