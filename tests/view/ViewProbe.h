#pragma once
// Reading and setting the view's controls the way the view tests do.

#include "controls/CNumSpinCtrl.h"
#include "view/VeldranView.h"

#include <QLabel>
#include <QLineEdit>

namespace veldran::test {

// The text a control of the form shows: an edit's or a label's.
inline QString ControlText(const CVELDRANView& view, int id)
{
    QWidget* widget = view.GetDlgItem(id);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    return QString();
}

// Moves the cursors as their spin controls do, Y first.
inline void SetCursors(CVELDRANView& view, int x, int y)
{
    view.SpinY().SetPos(static_cast<float>(y));
    view.SpinX().SetPos(static_cast<float>(x));
}

} // namespace veldran::test
