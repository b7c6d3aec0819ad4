#pragma once
// The program's own pictures for commands, archives and messages, compiled into its resources as
// PNG files in the sizes each is shown at and twice those (for enlarged screens), so every screen
// shows the same set whatever the desktop's icon theme is. resources/icons/README says where they
// come from and how they are made.
#include <QIcon>
#include <QPixmap>
#include <QSize>

class QCalendarWidget;
class QMessageBox;

namespace cal {

// The size of the pictures of every toolbar and command row.
inline constexpr QSize kToolbarIconSize{24, 24};

// The sizes the program's pictures come in.
inline constexpr int kPictureSizes[] = {16, 24, 32, 48, 64, 96, 128};

// The picture of that name (for example "document-save") in every size the program has it; a
// null icon for an unknown name. Drawn disabled, the toolkit greys it.
QIcon programIcon(const char* name);

// The message box shows the program's picture of that name ("dialog-warning") in place of the
// toolkit's own, at the size the style gives message pictures, drawn for the screen's scale.
void setMessagePicture(QMessageBox& box, const char* name);

// The calendar's buttons to the previous and next month show the program's pictures in place of
// the toolkit's own.
void setCalendarPictures(QCalendarWidget* calendar);

// A PNG picture of the program's resources (":/images/calvetra.png"), decoded by the toolkit's
// own PNG reader and kept for the next call. The same pixels as QPixmap(path), without asking
// every installed image plugin whether it reads PNG first (each of them would be loaded, which
// the start-up pays for); a null pixmap when the file is missing or is no PNG.
QPixmap programPicture(const QString& path);

}  // namespace cal
