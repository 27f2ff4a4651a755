#include "files/LargeBuffer.h"

#include <cstdint>

#include <sys/mman.h>

namespace veldran {
namespace {

// The large page size of x86-64 and of most 64-bit ARM systems.
constexpr std::uintptr_t kLargePage = std::uintptr_t(2) << 20;

} // namespace

void AdviseLargePages(void* data, std::size_t bytes)
{
#ifdef MADV_HUGEPAGE
    // Only whole large pages inside the buffer: the advice must not reach memory that belongs
    // to something else.
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t last = (begin + bytes) & ~(kLargePage - 1);
    if (data != nullptr && last > first)
        (void)::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

} // namespace veldran
