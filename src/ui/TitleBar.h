#pragma once
// The room a window's title needs in the title bar the window manager draws around the
// window: the title in the bar's font, bold as most bars write it, and beside it the
// bar's icon and buttons. Windows and message boxes are made at least that wide, so
// that their titles are never cut short.
#include <QString>

namespace aub {

// Room for the bar's icon, its buttons (minimise, maximise, close) and the margins
// either side of the title, with some to spare: a window manager writes the title in its
// own font, often a little larger than the program's.
constexpr int TitleButtonsPx = 160;

// The title's width in the title-bar font made bold.
int titleTextWidth(const QString& title);
// The width a window needs to show its whole title in its title bar (0 without a title).
int titleBarWidth(const QString& title);

}  // namespace aub
