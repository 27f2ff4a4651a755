#include "app/MarkerCommands.h"

#include "annotations/CaptureAnnotations.h"
#include "i18n/MessageText.h"
#include "session/CaptureSession.h"
#include "view/MarkerDialog.h"
#include "view/MarkerPanel.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace veldran {
namespace {

// Colours that read apart from each other and from the black and grey cursor lines.
constexpr uint32_t kColours[] = {0xD62728, 0x1F77B4, 0x2CA02C, 0xFF7F0E, 0x9467BD, 0x8C564B, 0xE377C2, 0x17BECF};

// "M1", "M2", …: the first such label no marker has yet.
std::string FreeLabel(const std::vector<Marker>& markers)
{
    for (size_t n = 1;; ++n) {
        const std::string label = "M" + std::to_string(n);
        if (std::none_of(markers.begin(), markers.end(), [&label](const Marker& m) { return m.strLabel == label; }))
            return label;
    }
}

} // namespace

MarkerCommands::MarkerCommands(CCaptureSession& session, QWidget* dialogParent)
    : m_session(session)
    , m_prompt([dialogParent](const Marker& marker) { return MarkerDialog::Edit(marker, dialogParent); })
{
}

std::optional<int> MarkerCommands::MarkerAtX() const
{
    const std::vector<Marker>& markers = m_session.Markers();
    const auto at = std::find_if(markers.begin(), markers.end(),
                                 [x = m_session.XCursor()](const Marker& m) { return m.nSample == x; });
    if (!m_session.HasCapture() || at == markers.end())
        return std::nullopt;
    return static_cast<int>(at - markers.begin());
}

bool MarkerCommands::CanAdd() const
{
    return m_session.HasCapture() && m_session.SampleCount() > 0;
}

bool MarkerCommands::CanStep() const
{
    return m_session.HasCapture() && !m_session.Markers().empty();
}

void MarkerCommands::OnAddMarker()
{
    if (!CanAdd())
        return;
    const std::vector<Marker>& markers = m_session.Markers();
    Marker marker;
    marker.nSample = m_session.XCursor();
    marker.strLabel = FreeLabel(markers);
    marker.nColour = kColours[markers.size() % std::size(kColours)];
    if (!m_session.AddMarker(std::move(marker)))
        ShowAppMessage(AnnotationLimitsMessage());
}

void MarkerCommands::OnEditMarker()
{
    if (const std::optional<int> index = MarkerAtX())
        Edit(*index);
}

void MarkerCommands::Edit(int index)
{
    const std::vector<Marker>& markers = m_session.Markers();
    if (index < 0 || static_cast<size_t>(index) >= markers.size())
        return;
    if (std::optional<Marker> edited = m_prompt(markers[static_cast<size_t>(index)])) {
        // The dialog edits what the marker says, never where it stands.
        edited->nSample = m_session.Markers()[static_cast<size_t>(index)].nSample;
        m_session.ReplaceMarker(index, std::move(*edited));
    }
}

void MarkerCommands::OnDeleteMarker()
{
    if (const std::optional<int> index = MarkerAtX())
        m_session.RemoveMarker(*index);
}

void MarkerCommands::Step(bool bForward)
{
    if (!CanStep())
        return;
    const std::vector<Marker>& markers = m_session.Markers();
    const int x = m_session.XCursor();
    std::optional<int64_t> target;
    if (bForward) {
        const auto next = std::partition_point(markers.begin(), markers.end(), [x](const Marker& m) { return m.nSample <= x; });
        if (next != markers.end())
            target = next->nSample;
    } else {
        const auto after = std::partition_point(markers.begin(), markers.end(), [x](const Marker& m) { return m.nSample < x; });
        if (after != markers.begin())
            target = std::prev(after)->nSample;
    }
    if (!target) {
        m_session.AnnounceNote(Message(bForward ? text::kNoMarkerAfter : text::kNoMarkerBefore, {MessageNumber(x)},
                                       MessageIcon::None));
        return;
    }
    PutXOnSample(m_session, static_cast<int>(*target));
}

} // namespace veldran
