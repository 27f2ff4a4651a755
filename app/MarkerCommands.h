#pragma once
// The marker commands at the X cursor: add a marker on its sample, edit or delete the marker there,
// and move X to the next or the previous marker (the window goes with it). What the edit asks the
// user is replaceable, so that tests answer it.

#include "annotations/Marker.h"

#include <functional>
#include <optional>

class QWidget;

namespace veldran {

class CCaptureSession;

class MarkerCommands {
public:
    // Given the marker as it is, returns it as the user left it, or nothing when they cancelled.
    using EditPrompt = std::function<std::optional<Marker>(const Marker&)>;

    MarkerCommands(CCaptureSession& session, QWidget* dialogParent);

    void SetPrompt(EditPrompt prompt) { m_prompt = std::move(prompt); }

    // The first marker on the X cursor's sample.
    [[nodiscard]] std::optional<int> MarkerAtX() const;
    [[nodiscard]] bool CanAdd() const;
    [[nodiscard]] bool CanStep() const;

    // Adds a marker on X, labelled with the next free number, in the next colour of a small set.
    void OnAddMarker();
    void OnEditMarker();
    void OnDeleteMarker();
    void Edit(int index);
    void OnNextMarker() { Step(true); }
    void OnPreviousMarker() { Step(false); }

private:
    void Step(bool bForward);

    CCaptureSession& m_session;
    EditPrompt m_prompt;
};

} // namespace veldran
