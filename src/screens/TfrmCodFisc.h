#pragma once
// The fiscal code check screen: whether a codice fiscale ends with the check character of its
// first 15 characters.
#include "screens/CheckScreens.h"

namespace cal {

class TfrmCodFisc : public CheckScreen {
    Q_OBJECT
public:
    explicit TfrmCodFisc(QWidget* parent = nullptr);
    void check() override;
};

}  // namespace cal
