#pragma once
// Dialog units: control positions in the dialog templates are given in quarters of the dialog
// font's average character width and eighths of its height, so that a form keeps its proportions
// with any font. The arithmetic is kept apart from the font so that it can be checked by itself.

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace veldran {

struct DialogBaseUnits {
    int nX = 0; // average width of the letters A..Z and a..z, in pixels
    int nY = 0; // height of the font, in pixels
};

// a × b / c rounded to the nearest integer, halves away from zero; 0 when c is 0 or the result
// does not fit an int.
[[nodiscard]] int MulDivRound(int a, int b, int c);

// From the width of the 52 letters "A..Za..z" written in one row and the font's height.
[[nodiscard]] DialogBaseUnits BaseUnitsFromMetrics(int nLettersWidth, int nFontHeight);
[[nodiscard]] DialogBaseUnits BaseUnitsOf(const QFont& font);

[[nodiscard]] int DialogXToPixels(int nDluX, const DialogBaseUnits& units);
[[nodiscard]] int DialogYToPixels(int nDluY, const DialogBaseUnits& units);
[[nodiscard]] QPoint MapDialogPoint(const QPoint& dlu, const DialogBaseUnits& units);
[[nodiscard]] QSize MapDialogSize(const QSize& dlu, const DialogBaseUnits& units);
// Position and size are converted separately, as controls are placed from a template.
[[nodiscard]] QRect MapDialogRect(const QRect& dlu, const DialogBaseUnits& units);

// The font a dialog template names (UTF-8 face such as "굴림" or "굴림체"), or, when that face is
// not installed, a Korean font that is: NanumGothic, or NanumGothicCoding for the fixed-pitch
// faces (those whose names end in "체").
[[nodiscard]] QFont DialogFont(const char* face, int pointSize);

} // namespace veldran
