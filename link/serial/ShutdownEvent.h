#pragma once
// The event that tells the worker to end. It is a descriptor, so the worker waits for it and for
// the port in the same poll and a stop wakes a worker that waits on a quiet line.

namespace veldran {

class CShutdownEvent {
public:
    CShutdownEvent() = default;
    ~CShutdownEvent();
    CShutdownEvent(const CShutdownEvent&) = delete;
    CShutdownEvent& operator=(const CShutdownEvent&) = delete;

    // Creates the event once; false when the system has no descriptor left.
    [[nodiscard]] bool Create();
    [[nodiscard]] bool IsValid() const { return m_fd >= 0; }
    [[nodiscard]] int Fd() const { return m_fd; }

    // Signalled stays signalled until Reset (manual reset).
    void Signal();
    void Reset();

private:
    int m_fd = -1;
};

} // namespace veldran
