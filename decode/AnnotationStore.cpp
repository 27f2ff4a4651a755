#include "decode/AnnotationStore.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace veldran {

CAnnotationStore::CAnnotationStore(const CAnnotationStore& other)
    : m_decoders(other.m_decoders), m_annotations(other.m_annotations), m_textRefs(other.m_textRefs), m_texts(other.m_texts),
      m_nTextHeap(other.m_nTextHeap)
{
    m_textIds.reserve(m_texts.size());
    for (size_t id = 0; id < m_texts.size(); ++id)
        m_textIds.emplace(m_texts[id], static_cast<uint32_t>(id));
}

CAnnotationStore& CAnnotationStore::operator=(const CAnnotationStore& other)
{
    if (this != &other) {
        CAnnotationStore copy(other);
        *this = std::move(copy);
    }
    return *this;
}

void CAnnotationStore::Add(int64_t start, int64_t end, int decoder, int cls, const char* const* texts, size_t count)
{
    if (decoder < 0 || static_cast<size_t>(decoder) >= m_decoders.size())
        return;
    const DecoderInfo& info = *m_decoders[static_cast<size_t>(decoder)].pInfo;
    if (cls < 0 || static_cast<size_t>(cls) >= info.classes.size())
        return;
    DecodedAnnotation annotation;
    annotation.nStart = start;
    annotation.nEnd = end;
    annotation.nDecoder = static_cast<uint16_t>(decoder);
    annotation.nClass = static_cast<uint16_t>(cls);
    annotation.nRow = static_cast<int16_t>(info.RowOfClass(cls));
    annotation.nFirstText = static_cast<uint32_t>(m_textRefs.size());
    annotation.nTextCount = static_cast<uint8_t>(std::min<size_t>(count, std::numeric_limits<uint8_t>::max()));
    for (size_t i = 0; i < annotation.nTextCount; ++i)
        m_textRefs.push_back(Intern(texts[i]));
    m_annotations.push_back(annotation);
}

uint32_t CAnnotationStore::Intern(std::string_view text)
{
    if (const auto known = m_textIds.find(text); known != m_textIds.end())
        return known->second;
    const auto id = static_cast<uint32_t>(m_texts.size());
    const std::string& stored = m_texts.emplace_back(text);
    if (stored.capacity() > std::string().capacity())
        m_nTextHeap += stored.capacity() + 1;
    m_textIds.emplace(stored, id);
    return id;
}

void CAnnotationStore::SortByStart()
{
    std::stable_sort(m_annotations.begin(), m_annotations.end(),
                     [](const DecodedAnnotation& a, const DecodedAnnotation& b) { return a.nStart < b.nStart; });
}

void CAnnotationStore::Clear()
{
    m_annotations.clear();
    m_textRefs.clear();
    m_textIds.clear();
    m_texts.clear();
    m_nTextHeap = 0;
}

void CAnnotationStore::ShrinkToFit()
{
    m_annotations.shrink_to_fit();
    m_textRefs.shrink_to_fit();
}

std::string_view CAnnotationStore::Text(const DecodedAnnotation& annotation, size_t index) const
{
    if (index >= annotation.nTextCount)
        return {};
    return m_texts[m_textRefs[annotation.nFirstText + index]];
}

const std::string& CAnnotationStore::DecoderId(const DecodedAnnotation& annotation) const
{
    return m_decoders[annotation.nDecoder].pInfo->strId;
}

const std::string& CAnnotationStore::DecoderInstance(const DecodedAnnotation& annotation) const
{
    return m_decoders[annotation.nDecoder].strInstance;
}

std::string_view CAnnotationStore::RowId(const DecodedAnnotation& annotation) const
{
    return annotation.nRow < 0 ? std::string_view() : m_decoders[annotation.nDecoder].pInfo->rows[static_cast<size_t>(annotation.nRow)].strId;
}

std::string_view CAnnotationStore::RowName(const DecodedAnnotation& annotation) const
{
    return annotation.nRow < 0 ? std::string_view()
                               : m_decoders[annotation.nDecoder].pInfo->rows[static_cast<size_t>(annotation.nRow)].strDescription;
}

const std::string& CAnnotationStore::ClassId(const DecodedAnnotation& annotation) const
{
    return m_decoders[annotation.nDecoder].pInfo->classes[annotation.nClass].strId;
}

const std::string& CAnnotationStore::ClassName(const DecodedAnnotation& annotation) const
{
    return m_decoders[annotation.nDecoder].pInfo->classes[annotation.nClass].strDescription;
}

size_t CAnnotationStore::BytesUsed() const
{
    // A node of the index holds its key, its value, the next pointer and the cached hash.
    constexpr size_t kIndexNode = sizeof(std::string_view) + sizeof(uint32_t) + 2 * sizeof(void*) + sizeof(size_t);
    return sizeof(*this) + m_annotations.capacity() * sizeof(DecodedAnnotation) + m_textRefs.capacity() * sizeof(uint32_t) +
           m_texts.size() * sizeof(std::string) + m_nTextHeap + m_textIds.bucket_count() * sizeof(void*) +
           m_textIds.size() * kIndexNode;
}

} // namespace veldran
