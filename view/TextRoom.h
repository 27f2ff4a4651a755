#pragma once
// How much text a label or a line edit can show: the room inside its frame and margins, and the
// width the control needs so that the widest of some texts fits that room in the control's font.

#include <QStringList>

class QWidget;

namespace veldran {

// The width, in pixels, that text gets inside the control at its present size.
[[nodiscard]] int TextRoom(const QWidget& control);
// The widest of the texts in the control's font, each also tried with every digit in place of its
// digits (a font's digits need not all be equally wide).
[[nodiscard]] int WidestTextWidth(const QWidget& control, const QStringList& texts);
// The control's width at which the widest of the texts fits its text room.
[[nodiscard]] int WidthToShow(const QWidget& control, const QStringList& texts);

} // namespace veldran
