#pragma once

#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QString>

class QPainter;

// The look shared by the skinned windows: a light caption band over a soft blue body.
namespace Skin {

constexpr int CaptionHeight = 30;
const QColor CaptionText{24, 52, 96};
const QColor CaptionLine{120, 150, 190};
const QColor HeadingText{40, 70, 120};

// Paints the window background: caption band, body gradient and a thin outline.
void PaintBackground(QPainter &painter, const QRect &rect);
// The program's icon: a note on a round badge.
QPixmap ProgramIcon(int size);
// Chinese text in Chinese glyph forms whatever the desktop's language: with another locale
// the system's fallback for Han characters is often the Japanese face of the CJK font.
// Latin text keeps the desktop's font: latin is the installed family the application font
// resolves to (by its real name: an alias such as "Sans Serif" would take every character,
// Latin ones too, from the Chinese face), latinHasHan whether it has Chinese glyphs itself.
// Called once the application object exists; loads no font.
void UseChineseGlyphs(const QString &latin, bool latinHasHan);

} // namespace Skin
