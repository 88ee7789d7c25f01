#pragma once
// The program's icon for its windows: the PNGs installed with the program
// (../share/icons/hicolor from its executable, so a moved installation shows it too),
// else the desktop's icon theme; empty in a build folder.
#include <QIcon>
#include <QString>

namespace aub {

QIcon programIcon(const QString& executableDir);

}  // namespace aub
