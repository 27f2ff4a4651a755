#include "document/TokenList.h"

#include <algorithm>
#include <stdexcept>

namespace veldran {

CTokenList::CTokenList(std::initializer_list<std::string_view> tokens)
{
    assign(tokens);
}

void CTokenList::Adopt(std::string&& arena, std::vector<uint32_t>&& ends)
{
    if (arena.size() > kMaxArenaBytes)
        ThrowTooLarge();
    m_arena = std::move(arena);
    m_ends = std::move(ends);
    m_nSize = m_ends.size();
}

void CTokenList::clear()
{
    m_arena.clear();
    m_ends.clear();
    m_nSize = 0;
}

void CTokenList::resize(size_t count)
{
    if (count < m_ends.size()) {
        m_ends.resize(count);
        m_arena.resize(count == 0 ? 0 : m_ends.back());
    }
    m_nSize = count;
}

void CTokenList::assign(size_t count, std::string_view token)
{
    clear();
    if (token.empty()) {
        m_nSize = count;
        return;
    }
    reserve(count, count * token.size());
    for (size_t i = 0; i < count; ++i)
        push_back(token);
}

void CTokenList::assign(std::initializer_list<std::string_view> tokens)
{
    clear();
    for (std::string_view token : tokens)
        push_back(token);
}

void CTokenList::reserve(size_t tokens, size_t bytes)
{
    m_ends.reserve(tokens);
    m_arena.reserve(bytes);
}

void CTokenList::shrink_to_fit()
{
    m_arena.shrink_to_fit();
    m_ends.shrink_to_fit();
}

void CTokenList::StoreEmptyEntries()
{
    m_ends.resize(m_nSize, static_cast<uint32_t>(m_arena.size()));
}

void CTokenList::ThrowTooLarge()
{
    throw std::length_error("token list larger than 4 GiB");
}

bool operator==(const CTokenList& a, const CTokenList& b)
{
    if (a.m_nSize != b.m_nSize)
        return false;
    if (a.m_ends.size() == b.m_ends.size())
        return a.m_ends == b.m_ends && a.m_arena == b.m_arena;
    // Stored empty entries and unstored ones are the same list.
    const size_t stored = std::max(a.m_ends.size(), b.m_ends.size());
    for (size_t i = 0; i < stored; ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

} // namespace veldran
