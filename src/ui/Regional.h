#pragma once

namespace cal {

// What every screen sets when created: the Italian locale with the short date "dd/mm/yyyy"
// and the comma as decimal separator; Qt's own dialogs in Italian; Enter presses a focused button.
void applyRegionalSettings();

}  // namespace cal
