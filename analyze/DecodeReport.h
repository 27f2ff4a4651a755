#pragma once
// What veldran-analyze decode prints: the annotations as sigrok-cli prints them with
// --protocol-decoder-samplenum ("START-END INSTANCE: TEXT"), as CSV (start,end,decoder,row,class,
// text), or as one JSON object with every text of each annotation.

#include "analyze/DecodeCommand.h"
#include "decode/AnnotationStore.h"

#include <string>

namespace veldran {

enum class DecodeFormat { Lines, Csv, Json };

[[nodiscard]] std::string DecodeReport(const CAnnotationStore& store, const AnnotationChoice& choice, DecodeFormat format);

// text as a JSON string, quotes included.
[[nodiscard]] std::string JsonQuoted(std::string_view text);

} // namespace veldran
