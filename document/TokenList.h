#pragma once
// The tokens of a state listing, in order: an indexed list of strings stored as one byte arena and
// the end offset of each token in it, so a list of hundreds of thousands of short tokens is two
// allocations rather than one per token. Empty entries at the end of the list (a fresh document's
// 393,216 of them, or those a resize adds) take no memory until a token is appended after them.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace veldran {

class CTokenList {
public:
    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        const_iterator(const CTokenList* list, size_t index) : m_pList(list), m_nIndex(index) {}
        std::string_view operator*() const { return (*m_pList)[m_nIndex]; }
        const_iterator& operator++() { ++m_nIndex; return *this; }
        const_iterator operator++(int) { const_iterator before = *this; ++m_nIndex; return before; }
        const_iterator& operator+=(difference_type n) { m_nIndex += static_cast<size_t>(n); return *this; }
        const_iterator operator+(difference_type n) const { return {m_pList, m_nIndex + static_cast<size_t>(n)}; }
        difference_type operator-(const const_iterator& other) const
        {
            return static_cast<difference_type>(m_nIndex) - static_cast<difference_type>(other.m_nIndex);
        }
        bool operator==(const const_iterator& other) const { return m_nIndex == other.m_nIndex; }
        bool operator!=(const const_iterator& other) const { return m_nIndex != other.m_nIndex; }

    private:
        const CTokenList* m_pList;
        size_t m_nIndex;
    };

    CTokenList() = default;
    // count empty entries; nothing is allocated for them.
    explicit CTokenList(size_t count) : m_nSize(count) {}
    CTokenList(std::initializer_list<std::string_view> tokens);

    [[nodiscard]] size_t size() const { return m_nSize; }
    [[nodiscard]] bool empty() const { return m_nSize == 0; }

    // Token i (i < size()); valid until the list is next changed. Const, so that an assignment to
    // it (which could not change the list) does not compile.
    [[nodiscard]] const std::string_view operator[](size_t i) const
    {
        if (i >= m_ends.size())
            return {};
        const uint32_t begin = i == 0 ? 0 : m_ends[i - 1];
        return std::string_view(m_arena.data() + begin, m_ends[i] - begin);
    }
    [[nodiscard]] const std::string_view front() const { return (*this)[0]; }
    [[nodiscard]] const std::string_view back() const { return (*this)[m_nSize - 1]; }
    [[nodiscard]] const_iterator begin() const { return {this, 0}; }
    [[nodiscard]] const_iterator end() const { return {this, m_nSize}; }

    void push_back(std::string_view token)
    {
        if (m_ends.size() < m_nSize)
            StoreEmptyEntries();
        if (token.size() > kMaxArenaBytes - m_arena.size())
            ThrowTooLarge();
        m_arena.append(token);
        m_ends.push_back(static_cast<uint32_t>(m_arena.size()));
        ++m_nSize;
    }
    void emplace_back(std::string_view token) { push_back(token); }

    // Takes arena as the list's storage, token i ending at ends[i] (ascending, within the arena).
    void Adopt(std::string&& arena, std::vector<uint32_t>&& ends);
    // Removes every token; the storage is kept for the next listing (shrink_to_fit gives it back).
    void clear();
    // Cuts the list to count tokens, or adds empty ones up to count.
    void resize(size_t count);
    void assign(size_t count, std::string_view token);
    void assign(std::initializer_list<std::string_view> tokens);
    // Room for tokens entries holding bytes bytes in all.
    void reserve(size_t tokens, size_t bytes);
    void shrink_to_fit();

    // Bytes held for the list (arena and offsets), for the memory figures.
    [[nodiscard]] size_t HeldBytes() const
    {
        // A string's own small buffer is no allocation.
        const size_t arena = m_arena.capacity() > std::string().capacity() ? m_arena.capacity() : 0;
        return arena + m_ends.capacity() * sizeof(uint32_t);
    }

    friend bool operator==(const CTokenList& a, const CTokenList& b);
    friend bool operator!=(const CTokenList& a, const CTokenList& b) { return !(a == b); }

private:
    // Offsets are 32-bit: a list is at most this many bytes (a file the reader takes is far smaller).
    static constexpr size_t kMaxArenaBytes = UINT32_MAX;

    void StoreEmptyEntries();
    [[noreturn]] static void ThrowTooLarge();

    std::string m_arena;
    // m_ends[i]: where token i ends in m_arena; it begins where token i − 1 ends. Entries from
    // m_ends.size() up to m_nSize are empty and not stored.
    std::vector<uint32_t> m_ends;
    size_t m_nSize = 0;
};

} // namespace veldran
