#pragma once
// The service register: one file a year of the services supplied to clients, with the fee
// summary of a period.
#include "screens/ArchiveScreen.h"

namespace cal {

struct YearMenuTexts;

struct ArchiveModule;

// The register screen, its search, unpaid list and export, and the fee summary.
const ArchiveModule& serviceModule();

class TfrmServizi : public ArchiveScreen {
    Q_OBJECT
public:
    explicit TfrmServizi(QWidget* parent = nullptr);
};

// The year menu the launcher opens before this archive.
extern const YearMenuTexts kServiceYearMenu;

}  // namespace cal
