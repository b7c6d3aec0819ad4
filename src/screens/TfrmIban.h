#pragma once
// The IBAN check screen: the mod-97 rule of the IBAN.
#include "screens/CheckScreens.h"

namespace cal {

class TfrmIban : public CheckScreen {
    Q_OBJECT
public:
    explicit TfrmIban(QWidget* parent = nullptr);
    void check() override;
};

}  // namespace cal
