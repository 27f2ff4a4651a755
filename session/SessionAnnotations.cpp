// The buses, markers and kept sections of the capture session.

#include "session/CaptureSession.h"

#include <algorithm>
#include <utility>

namespace veldran {

void CCaptureSession::SetBuses(std::vector<Bus> buses)
{
    m_annotations.buses = std::move(buses);
    m_document.SetModifiedFlag();
    emit busesChanged();
}

std::optional<int> CCaptureSession::AddMarker(Marker marker)
{
    std::vector<Marker>& markers = m_annotations.markers;
    if (markers.size() >= kMaxMarkers)
        return std::nullopt;
    const auto at = std::upper_bound(markers.begin(), markers.end(), marker.nSample,
                                     [](int64_t sample, const Marker& m) { return sample < m.nSample; });
    const int index = static_cast<int>(markers.insert(at, std::move(marker)) - markers.begin());
    m_document.SetModifiedFlag();
    emit markersChanged();
    return index;
}

int CCaptureSession::ReplaceMarker(int index, Marker marker)
{
    std::vector<Marker>& markers = m_annotations.markers;
    if (index < 0 || static_cast<size_t>(index) >= markers.size())
        return index;
    if (markers[static_cast<size_t>(index)] == marker)
        return index;
    markers.erase(markers.begin() + index);
    const auto at = std::upper_bound(markers.begin(), markers.end(), marker.nSample,
                                     [](int64_t sample, const Marker& m) { return sample < m.nSample; });
    const int moved = static_cast<int>(markers.insert(at, std::move(marker)) - markers.begin());
    m_document.SetModifiedFlag();
    emit markersChanged();
    return moved;
}

void CCaptureSession::RemoveMarker(int index)
{
    std::vector<Marker>& markers = m_annotations.markers;
    if (index < 0 || static_cast<size_t>(index) >= markers.size())
        return;
    markers.erase(markers.begin() + index);
    m_document.SetModifiedFlag();
    emit markersChanged();
}

void CCaptureSession::SetExtraSection(ExtraSection section)
{
    std::vector<ExtraSection>& extras = m_annotations.extras;
    const auto found = std::find_if(extras.begin(), extras.end(),
                                    [&section](const ExtraSection& e) { return e.strName == section.strName; });
    if (found != extras.end() && *found == section)
        return;
    if (section.lines.empty()) {
        if (found == extras.end())
            return;
        extras.erase(found);
    } else if (found != extras.end()) {
        *found = std::move(section);
    } else {
        extras.push_back(std::move(section));
    }
    m_document.SetModifiedFlag();
    emit extraSectionsChanged();
}

const ExtraSection* CCaptureSession::FindExtraSection(const std::string& name) const
{
    for (const ExtraSection& extra : m_annotations.extras)
        if (extra.strName == name)
            return &extra;
    return nullptr;
}

} // namespace veldran
