#pragma once
// Small conversions between the models' plain data and Qt: UTF-8 strings,
// RGB colours (0xRRGGBB, NoColor for the default), line breaks and twips.
#include <QColor>
#include <QString>

#include <string>

#include "forms/Control.h"

namespace aub {

inline QString toQ(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
inline std::string fromQ(const QString& s) { return s.toUtf8().toStdString(); }

inline QColor toQColor(int rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// Model texts break lines with CR LF (or a lone CR / LF); widgets with "\n".
inline QString toDisplayText(const std::string& s) {
    QString q = toQ(s);
    q.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    q.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return q;
}
// A multi-line box gives its lines back to the model with CR LF, as typed text has them.
inline std::string fromMultilineText(QString q) {
    q.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return fromQ(q);
}

inline int twipsToPixels(int twips) { return (twips + TwipsPerPixel / 2) / TwipsPerPixel; }

}  // namespace aub
