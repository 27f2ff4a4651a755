#pragma once
// The main menu, the accelerators and the command prompts as data, so that the frame builds them
// and the tests compare them with what the program must offer.

#include <QKeySequence>

#include <string>
#include <vector>

namespace veldran {

struct MenuItemEntry {
    const char* popup;    // "FIle(&F)", "VELDRAN(&M)" or "Help(&H)"
    const char* label;    // nullptr for a separator
    const char* accelText; // text shown after the tab, or nullptr
    int id;               // command id; 0 for a separator
};

struct AcceleratorEntry {
    QKeySequence key;
    int id;
};

// In menu order.
[[nodiscard]] const std::vector<MenuItemEntry>& MainMenuItems();
[[nodiscard]] const std::vector<AcceleratorEntry>& Accelerators();
// The status-bar prompt and the short tool tip of a command ("" when it has none).
[[nodiscard]] std::string CommandPrompt(int id);
[[nodiscard]] std::string CommandToolTip(int id);

} // namespace veldran
