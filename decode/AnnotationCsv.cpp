#include "decode/AnnotationCsv.h"

#include "annotations/BusListing.h"

namespace veldran {

std::string AnnotationCsvLine(const CAnnotationStore& store, const DecodedAnnotation& annotation)
{
    std::string line = std::to_string(annotation.nStart) + ',' + std::to_string(annotation.nEnd) + ',';
    line += CsvQuoted(store.DecoderId(annotation)) + ',';
    line += CsvQuoted(store.RowId(annotation)) + ',';
    line += CsvQuoted(store.ClassId(annotation)) + ',';
    line += CsvQuoted(annotation.nTextCount > 0 ? store.Text(annotation, 0) : std::string_view()) + '\n';
    return line;
}

void WriteAnnotationCsv(const CAnnotationStore& store, const std::function<bool(const DecodedAnnotation&)>& shows,
                        const std::function<bool(std::string_view)>& sink)
{
    constexpr size_t kPiece = 64 * 1024;
    std::string piece = kAnnotationCsvHeader;
    for (const DecodedAnnotation& annotation : store.Annotations()) {
        if (shows && !shows(annotation))
            continue;
        piece += AnnotationCsvLine(store, annotation);
        if (piece.size() >= kPiece) {
            if (!sink(piece))
                return;
            piece.clear();
        }
    }
    if (!piece.empty())
        (void)sink(piece);
}

} // namespace veldran
