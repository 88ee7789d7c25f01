#include "ui/TitleBar.h"

#include <QApplication>
#include <QFont>
#include <QFontMetrics>

namespace aub {

// A title bar writes in the desktop's interface font, made bold. (Qt's own title font,
// without a desktop theme to give the real one, is a 12-point guess wider than any bar's.)
int titleTextWidth(const QString& title) {
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(title);
}

int titleBarWidth(const QString& title) { return title.isEmpty() ? 0 : titleTextWidth(title) + TitleButtonsPx; }

}  // namespace aub
