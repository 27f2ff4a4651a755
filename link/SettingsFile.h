#pragma once
// The settings file "veldran.cfg" beside the executable: two bracketed comment lines and a line
// "port,speed" holding the two list indexes of the options dialog. Only the third line means
// anything when the file is read, so a hand-edited or foreign comment never stops a start.

#include "resources/Message.h"

#include <string>

namespace veldran {

// Reads line 3 as "%d,%d" into port and speed. A number that cannot be read leaves its value as
// it was; the speed is read only after a port. False only when the file cannot be opened or read.
[[nodiscard]] bool ReadSettings(const std::string& path, int& port, int& speed);

// Writes the three lines through a temporary file that replaces the old one only when complete,
// so a failed save never leaves a half-written file. On failure *error (if given) is the message
// that names the file, the step and the system's reason.
[[nodiscard]] bool WriteSettings(const std::string& path, int port, int speed, Message* error);

// The folder of the running executable, ending with '/'.
[[nodiscard]] std::string SettingsFolder();
// SettingsFolder() + "veldran.cfg".
[[nodiscard]] std::string SettingsPath();

// An installed program usually lies in a folder its users may not write. The settings then live in
// the user's configuration folder ($XDG_CONFIG_HOME/VELDRAN/veldran.cfg), so that they are kept
// instead of being lost at every exit; beside the executable they stay wherever that is possible.
[[nodiscard]] std::string UserSettingsPath();
// Where the settings are written (and read first): beside the executable when that folder can be
// written, otherwise the user's file (its folder is created).
[[nodiscard]] std::string WritableSettingsPath();

// The bytes WriteSettings puts in the file.
[[nodiscard]] std::string SettingsFileText(int port, int speed);

} // namespace veldran
