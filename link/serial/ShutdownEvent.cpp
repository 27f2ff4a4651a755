#include "link/serial/ShutdownEvent.h"

#include <cstdint>

#include <sys/eventfd.h>
#include <unistd.h>

namespace veldran {

CShutdownEvent::~CShutdownEvent()
{
    if (m_fd >= 0)
        close(m_fd);
}

bool CShutdownEvent::Create()
{
    if (m_fd < 0)
        m_fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    return m_fd >= 0;
}

void CShutdownEvent::Signal()
{
    const uint64_t nOne = 1;
    // A full counter (EAGAIN) is signalled already.
    if (m_fd >= 0)
        (void)!write(m_fd, &nOne, sizeof nOne);
}

void CShutdownEvent::Reset()
{
    uint64_t nCount = 0;
    if (m_fd >= 0)
        (void)!read(m_fd, &nCount, sizeof nCount);
}

} // namespace veldran
