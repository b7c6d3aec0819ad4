#pragma once
// The document archive: a register of documents of any kind, who produced them and when, to
// whom they went, their classification, a digital copy and the documents still to complete.
#include "screens/ArchiveScreen.h"

namespace cal {

struct ArchiveModule;

// The document screen, its search, to-complete list and export.
const ArchiveModule& documentModule();

class TfrmAltri : public ArchiveScreen {
    Q_OBJECT
public:
    explicit TfrmAltri(QWidget* parent = nullptr);
};

}  // namespace cal
