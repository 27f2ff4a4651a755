#pragma once
// One run of veldran-capture: open the port as the window does, wait for the listing, receive it,
// parse it and write the file. Also the port listing of --list-ports.

#include "capture/CaptureOptions.h"
#include "link/serial/SerialPorts.h"

#include <csignal>
#include <cstdio>

namespace veldran {

enum ECaptureExit : int {
    kExitWritten = 0,
    kExitPortOrFile = 1,
    kExitUsage = 2,
    kExitNothingArrived = 3,
    kExitNotListing = 4,
    // The file was written, but not all of the listing is in it as sent: damaged lines (their
    // cells read as invalid), a last line cut short, or lines past the largest capture.
    kExitWrittenDamaged = 5,
    // Not a status the program ends with: the run was stopped (Ctrl+C); main ends by the signal.
    kExitStopped = -1,
};

// fdStop: readable when the run must end (a signal arrived); -1 for none. With one, the stop
// signals are handed to files/StopSignals.h once the listing is in, so that a signal while it is
// parsed and written ends the program by that signal, with no file. Messages and progress go to pErr.
// The listing is journaled as it arrives (link/ListingJournal.h); the journal goes once the file is
// written, the listing was refused or the user stopped the run with Ctrl+C (*pStopSignal is SIGINT),
// and stays for --recover when the line was lost, the file could not be written or another signal
// stopped the run.
[[nodiscard]] int RunCapture(const SCaptureOptions& options, int fdStop, std::FILE* pErr,
                             const volatile std::sig_atomic_t* pStopSignal = nullptr);

// --recover: writes the listing of the journal an interrupted reception left as the capture, with
// a warning that it may be incomplete (kExitWrittenDamaged), and deletes the journal. No journal,
// or one being written right now: kExitPortOrFile.
[[nodiscard]] int RecoverCapture(const SCaptureOptions& options, std::FILE* pErr);

// The serial devices, one a line, each with whether this user may open it (and, when not, what
// to do). Returns the number listed.
int PrintPortList(std::FILE* pOut, const SDeviceRoots& roots = {});

} // namespace veldran
