#pragma once
// How a program without a window ends on Ctrl+C, SIGTERM or SIGHUP while it writes a file: at once,
// by that signal, and without a trace of the file. Until the writer starts replacing its target,
// the signal ends the program and the temporary files die with it (unnamed ones by themselves,
// named ones removed by the handler). From the first replacement on, the signals wait until the
// program ends, so a run either ends by the signal with nothing written or writes every file it
// set out to write. A window never calls these; its writer behaves as before.

namespace veldran {

// Installs the handler for SIGINT, SIGTERM and SIGHUP (a SIGHUP the program was started with
// ignored, as under nohup, stays ignored). farewell, if given, is written to standard error
// before the program ends by the signal; it must stay valid for the rest of the run.
void EndOnStopSignals(const char* farewell = nullptr);

// Whether EndOnStopSignals is in force.
[[nodiscard]] bool EndingOnStopSignals();

namespace detail {

// The file writer's side. A temporary file that has a name is listed for the handler to remove;
// the name must fit in PATH_MAX. Returns a slot for Forget, or −1 when none is free or the
// handler is not installed.
[[nodiscard]] int RememberTemporary(const char* path);
void ForgetTemporary(int slot);

// Called before a file replaces its target: holds the stop signals from now until the program
// ends. A signal that came before ends the program here (after the handler removed the listed
// temporary files). Does nothing unless the handler is installed.
void BeginReplacing();

} // namespace detail
} // namespace veldran
