#pragma once
// The client archive: the address book of the people and firms the office serves, and the
// client search that other archives use as their client picker.
#include "screens/ArchiveScreen.h"

namespace cal {

struct ArchiveModule;

// The client screen, its search, re-contact list and export.
const ArchiveModule& clientModule();

class TfrmClienti : public ArchiveScreen {
    Q_OBJECT
public:
    explicit TfrmClienti(QWidget* parent = nullptr);
};

}  // namespace cal
