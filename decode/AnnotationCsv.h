#pragma once
// Decoded annotations as CSV: a header line "start,end,decoder,row,class,text", then one line an
// annotation with its sample numbers, the decoder's id, the row's and the class's ids and the
// longest text, quoted where it needs to be. No Qt.

#include "decode/AnnotationStore.h"

#include <functional>
#include <string>
#include <string_view>

namespace veldran {

inline constexpr const char* kAnnotationCsvHeader = "start,end,decoder,row,class,text\n";

[[nodiscard]] std::string AnnotationCsvLine(const CAnnotationStore& store, const DecodedAnnotation& annotation);

// Writes the header and the annotations `shows` accepts (every one when it is empty) to sink, in
// pieces of some kilobytes; stops when sink returns false.
void WriteAnnotationCsv(const CAnnotationStore& store, const std::function<bool(const DecodedAnnotation&)>& shows,
                        const std::function<bool(std::string_view)>& sink);

} // namespace veldran
