#pragma once
// The payment card check screen: whether a card number passes the Luhn check, and which kind
// of card its first digits tell.
#include "screens/CheckScreens.h"

namespace cal {

class TfrmCarta : public CheckScreen {
    Q_OBJECT
public:
    explicit TfrmCarta(QWidget* parent = nullptr);
    void check() override;
};

}  // namespace cal
