#pragma once
// The English catalogue as a plain table, made at build time from resources/veldran_en.ts (context
// VELDRAN) for the programs that use no Qt. Sorted by source.

#include <cstddef>

namespace veldran {

struct SCatalogueEntry {
    const char* source;
    const char* translation;
};

extern const SCatalogueEntry kEnglishEntries[];
extern const std::size_t kEnglishEntryCount;

} // namespace veldran
