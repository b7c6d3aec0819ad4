#pragma once
// The program's own pictures for commands and archives, compiled into its resources in 24 and 48
// pixels (the larger one serves enlarged screens), so every screen shows the same set whatever
// the desktop's icon theme is.
#include <QIcon>
#include <QPixmap>
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

// A PNG picture of the program's resources (":/images/calvetra.png"), decoded by the toolkit's
// own PNG reader and kept for the next call. The same pixels as QPixmap(path), without asking
// every installed image plugin whether it reads PNG first (each of them would be loaded, which
// the start-up pays for); a null pixmap when the file is missing or is no PNG.
QPixmap programPicture(const QString& path);

}  // namespace cal
