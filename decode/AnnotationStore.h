#pragma once
// The annotations of a decoding run, kept compact: each text is stored once in a string table and
// every annotation refers to its texts by number, so that thousands of "Start bit" cost a few
// bytes each. Decoder, row and class are numbers into the run's decoder table. No Qt.
//
//   for (size_t i = 0; i < store.Count(); ++i) {
//       const veldran::DecodedAnnotation& a = store.At(i);
//       draw(a.nStart, a.nEnd, store.DecoderId(a), store.RowId(a), store.Text(a, 0));
//   }

#include "decode/DecoderCatalogue.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace veldran {

struct DecodedAnnotation {
    int64_t nStart = 0;      // first sample
    int64_t nEnd = 0;        // sample after the last, as the decoders give it
    uint32_t nFirstText = 0; // into the store's text references
    uint16_t nDecoder = 0;   // the decoder's place in the stack
    uint16_t nClass = 0;     // into the decoder's classes
    int16_t nRow = -1;       // into the decoder's rows; -1 when no row holds the class
    uint8_t nTextCount = 0;  // the longest text first, shorter forms after it
};

class CAnnotationStore {
public:
    CAnnotationStore() = default;
    // A copy indexes its own table; a move keeps the table where it is.
    CAnnotationStore(const CAnnotationStore& other);
    CAnnotationStore& operator=(const CAnnotationStore& other);
    CAnnotationStore(CAnnotationStore&&) noexcept = default;
    CAnnotationStore& operator=(CAnnotationStore&&) noexcept = default;
    ~CAnnotationStore() = default;

    // The decoders of the run, stack after stack, bottom first; annotations name them by this place.
    struct Decoder {
        const DecoderInfo* pInfo = nullptr;
        std::string strInstance; // the decoder library's name for it: "uart-1"
    };
    void SetDecoders(std::vector<Decoder> decoders) { m_decoders = std::move(decoders); }
    [[nodiscard]] const std::vector<Decoder>& Decoders() const { return m_decoders; }

    // Adds an annotation of class cls from the decoder at `decoder`, with `count` texts.
    void Add(int64_t start, int64_t end, int decoder, int cls, const char* const* texts, size_t count);
    // The annotations are kept in the order the decoders gave them (sample order per decoder). This
    // orders them by start sample, keeping the order of those that start together.
    void SortByStart();
    void Clear();
    // Gives back what the lists reserved for growth, once no more annotations come.
    void ShrinkToFit();

    [[nodiscard]] size_t Count() const { return m_annotations.size(); }
    [[nodiscard]] const DecodedAnnotation& At(size_t index) const { return m_annotations[index]; }
    [[nodiscard]] const std::vector<DecodedAnnotation>& Annotations() const { return m_annotations; }

    [[nodiscard]] std::string_view Text(const DecodedAnnotation& annotation, size_t index) const;
    [[nodiscard]] const std::string& DecoderId(const DecodedAnnotation& annotation) const;       // "uart"
    [[nodiscard]] const std::string& DecoderInstance(const DecodedAnnotation& annotation) const; // "uart-1"
    [[nodiscard]] std::string_view RowId(const DecodedAnnotation& annotation) const;          // "" without a row
    [[nodiscard]] std::string_view RowName(const DecodedAnnotation& annotation) const;        // its description
    [[nodiscard]] const std::string& ClassId(const DecodedAnnotation& annotation) const;
    [[nodiscard]] const std::string& ClassName(const DecodedAnnotation& annotation) const;    // its description

    // How many distinct texts the table holds, and the bytes the whole store takes in memory
    // (annotations, text references, the table and its index), for the benchmarks and the dock.
    [[nodiscard]] size_t DistinctTexts() const { return m_texts.size(); }
    [[nodiscard]] size_t BytesUsed() const;

private:
    uint32_t Intern(std::string_view text);

    std::vector<Decoder> m_decoders;
    std::vector<DecodedAnnotation> m_annotations;
    std::vector<uint32_t> m_textRefs;  // text ids, each annotation's in a run
    std::deque<std::string> m_texts;   // the table; a deque, so that the index's views stay valid
    std::unordered_map<std::string_view, uint32_t> m_textIds; // views into m_texts
    size_t m_nTextHeap = 0;            // bytes the table's long texts hold outside their strings
};

} // namespace veldran
