#pragma once
// The settings file "veldran.cfg" beside the executable: two bracketed comment lines and a line
// "port,speed" holding the two list indexes of the options dialog. Only the third line means
// anything when the file is read, so a hand-edited or foreign comment never stops a start.

#include <string>

namespace veldran {

// Reads line 3 as "%d,%d" into port and speed. A number that cannot be read leaves its value as
// it was; the speed is read only after a port. False only when the file cannot be opened or read.
[[nodiscard]] bool ReadSettings(const std::string& path, int& port, int& speed);

// Writes the three lines through a temporary file that replaces the old one only when complete,
// so a failed save never leaves a half-written file. On failure *error (if given) names the file
// and the system's reason.
[[nodiscard]] bool WriteSettings(const std::string& path, int port, int speed, std::string* error);

// The folder of the running executable, ending with '/'.
[[nodiscard]] std::string SettingsFolder();
// SettingsFolder() + "veldran.cfg".
[[nodiscard]] std::string SettingsPath();

// The bytes WriteSettings puts in the file.
[[nodiscard]] std::string SettingsFileText(int port, int speed);

} // namespace veldran
