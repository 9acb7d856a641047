#pragma once
// Every conversion between the core's value types and Qt's in one place:
// colours (0x00BBGGRR), rectangles, file system paths, CP932 and UTF-8 text,
// the string table's texts.

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/CanvasTypes.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"

namespace plume::platform {

/// A colour 0x00BBGGRR (a record's COLORREF or a canvas colour) as a QColor.
inline QColor ToQColor(CanvasColor c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }
/// A QColor as 0x00BBGGRR; alpha is dropped.
inline CanvasColor FromQColor(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

/// An inclusive-exclusive rectangle (right and bottom outside) as a QRect.
inline QRect ToQRect(const IntRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }
inline QPoint ToQPoint(Point p) { return QPoint(p.x, p.y); }

/// UTF-8 text as a QString.
inline QString FromUtf8(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}
/// A text of the program's string table as a QString.
inline QString UiText(StringId id) { return FromUtf8(StringText(id)); }
/// CP932 bytes (record text, information files) as a QString, through the one codec.
inline QString FromCp932(std::string_view cp932) { return FromUtf8(Cp932ToUtf8(cp932)); }
/// A QString as CP932 bytes; a character without a CP932 form becomes "?".
inline std::string ToCp932(const QString& text) { return Utf8ToCp932(text.toStdString()); }

/// A native (UTF-8) path as a QString, and back.
inline QString ToQString(const std::filesystem::path& path) { return FromUtf8(path.native()); }

}  // namespace plume::platform
