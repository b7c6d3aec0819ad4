#pragma once
// The bank transfer registers: the issued and the received transfers, twin archive screens built
// from one description and a small table of what differs; their searches, not-executed lists,
// period exports and cards; the transfer menu and the movement summaries.
#include "transfers/TransferSettings.h"

namespace cal {

struct ArchiveModule;

// The issued register with the transfer menu and the issued movement summary.
const ArchiveModule& issuedTransferModule();
// The received register with the movement summary menu and the received movement summary.
const ArchiveModule& receivedTransferModule();

}  // namespace cal
