#include "ui/ProgramIcon.h"

#include <QDir>
#include <QFileInfo>
#include <QSize>

namespace aub {

QIcon programIcon(const QString& executableDir) {
    QIcon icon;
    const QDir hicolor(executableDir + QStringLiteral("/../share/icons/hicolor"));
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString png = hicolor.filePath(QStringLiteral("%1x%1/apps/aubelys.png").arg(size));
        if (QFileInfo::exists(png)) icon.addFile(png, QSize(size, size));
    }
    if (!icon.isNull()) return icon;
    return QIcon::fromTheme(QStringLiteral("aubelys"));
}

}  // namespace aub
