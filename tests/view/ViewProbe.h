#pragma once
// Reading and setting the view's controls and the session it draws, the way the view tests do.

#include "controls/CNumEdit.h"
#include "controls/CNumSpinCtrl.h"
#include "link/ClockPeriods.h"
#include "resources/Ids.h"
#include "session/CaptureSession.h"
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

inline CNumSpinCtrl& SpinX(const CVELDRANView& view) { return *qobject_cast<CNumSpinCtrl*>(view.GetDlgItem(ids::kSpinX)); }
inline CNumSpinCtrl& SpinY(const CVELDRANView& view) { return *qobject_cast<CNumSpinCtrl*>(view.GetDlgItem(ids::kSpinY)); }
inline CNumEdit& EditX(const CVELDRANView& view) { return *qobject_cast<CNumEdit*>(view.GetDlgItem(ids::kEditX)); }
inline CNumEdit& EditY(const CVELDRANView& view) { return *qobject_cast<CNumEdit*>(view.GetDlgItem(ids::kEditY)); }
// Where the X cursor line stands in the form.
inline int XCursorPixel(const CVELDRANView& view) { return view.GetDlgItem(ids::kXCursorLine)->x(); }

// The top of the information row (the cursor lines end 8 pixels above it).
inline int InfoTop(const CVELDRANView& view) { return view.GetDlgItem(ids::kInfoGroup)->y(); }

// Moves the cursors as their spin controls do, Y first.
inline void SetCursors(CVELDRANView& view, int x, int y)
{
    SpinY(view).SetPos(static_cast<float>(y));
    SpinX(view).SetPos(static_cast<float>(x));
}

// Renames one channel as the dialog's OK does, leaving the capture's modified flag as it was.
inline void Rename(CCaptureSession& session, int channel, const QString& name)
{
    const bool modified = session.Document().IsModified();
    CCaptureSession::ChannelNames names = session.Names();
    names[static_cast<size_t>(channel)] = name;
    session.SetNames(names);
    session.Document().SetModifiedFlag(modified);
}

// Chooses a clock period as the options dialog does.
inline void ChooseClockPeriod(CCaptureSession& session, int index)
{
    session.SetClockPeriod(index, ClockPeriodSeconds(index));
}

} // namespace veldran::test
