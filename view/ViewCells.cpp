// Channel cells and names: stepping through the three cells and renaming the channels.

#include "view/FormWidget.h"
#include "view/VeldranView.h"

namespace veldran {

void CVELDRANView::OnSelectCell()
{
    m_nCell = m_nCell + 1 > 2 ? 0 : m_nCell + 1;
    for (int k = 0; k < 16; ++k)
        Trace(k).ClearSamples();
    RelabelTraces();
    LoadTraces();
}

void CVELDRANView::OnChangeChName()
{
    if (m_dlgChannelNames.exec() != QDialog::Accepted)
        return;
    RelabelTraces();
    m_form->update();
    m_document.SetModifiedFlag();
}

} // namespace veldran
