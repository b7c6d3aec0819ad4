#pragma once
// The payment card check screen: whether a card number passes the Luhn check, and which kind
// of card its first digits tell.
#include "checks/CheckScreens.h"

#include <optional>

namespace cal {

class TfrmCarta : public CheckScreen {
    Q_OBJECT
public:
    explicit TfrmCarta(QWidget* parent = nullptr);
    void check() override;
};

// The screen's verdict on a card number: no value when the number is wrong, otherwise the kind
// of card, empty when the number passes the check but its first digits name no kind.
std::optional<QString> cardVerdict(QStringView number);

}  // namespace cal
