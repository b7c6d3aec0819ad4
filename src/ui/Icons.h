#pragma once
// The program's own pictures for commands and archives, compiled into its resources in 24 and 48
// pixels (the larger one serves enlarged screens), so every screen shows the same set whatever
// the desktop's icon theme is.
#include <QIcon>
#include <QSize>
#include <QStyle>

namespace cal {

// The size of the pictures of every toolbar and command row.
inline constexpr QSize kToolbarIconSize{24, 24};

// The picture of that name (for example "document-save"); a null icon for an unknown name.
QIcon programIcon(const char* name);
// The program's picture for a standard toolkit picture, for commands still described by one;
// the toolkit's own where the program has none.
QIcon programIcon(QStyle::StandardPixmap standard);
// The name of the program's picture standing for a standard toolkit picture; nullptr: none.
const char* programIconName(QStyle::StandardPixmap standard);

}  // namespace cal
