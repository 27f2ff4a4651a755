#pragma once
// Large buffers that are filled once, right after they are allocated (a capture file read whole,
// its sample store). Backed by large pages where the system offers them on request, such a buffer
// takes a few page faults instead of one for every 4 KiB, which is most of what filling it costs.

#include <cstddef>

namespace veldran {

// Asks for large pages under the part of [data, data + bytes) that they can cover. Only a hint:
// nothing changes where the system has none to give, and the contents are never touched.
void AdviseLargePages(void* data, std::size_t bytes);

} // namespace veldran
