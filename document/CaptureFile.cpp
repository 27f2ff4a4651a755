#include "document/CaptureFile.h"

#include "document/KoreanCodePage.h"
#include "files/FileWriter.h"
#include "files/LargeBuffer.h"
#include "files/SafeFile.h"
#include "resources/Strings.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace veldran {
namespace {

constexpr std::string_view kHeaderText = "This file is a VELDRAN's data file. (Data Count=";
// Earlier readers took the count from these five characters.
constexpr size_t kCountWidth = 5;

// A capture of kMaxCaptureSamples samples takes about 60 MB; anything far beyond is not a capture,
// and reading it whole would only exhaust memory (or never end, for a device file).
constexpr size_t kMaxFileBytes = size_t(256) << 20;

// Splits a capture file into lines: LF, CR, or CR LF ends a line, and every read past the end yields
// an empty line. The next LF and CR are remembered, so a file using only one kind of line end is
// still scanned once, not once per line.
class CLineReader {
public:
    explicit CLineReader(std::string_view bytes) : m_bytes(bytes), m_nNextLf(Find('\n')), m_nNextCr(Find('\r')) {}

    [[nodiscard]] bool AtEnd() const { return m_nPos >= m_bytes.size(); }
    [[nodiscard]] size_t Position() const { return m_nPos; }

    std::string_view Next()
    {
        if (m_nPos >= m_bytes.size())
            return {};
        if (m_nNextLf < m_nPos)
            m_nNextLf = Find('\n');
        if (m_nNextCr < m_nPos)
            m_nNextCr = Find('\r');
        const size_t end = std::min(m_nNextLf, m_nNextCr);
        const std::string_view line = m_bytes.substr(m_nPos, end - m_nPos);
        m_nPos = end + 1;
        if (end == m_nNextCr && m_nPos == m_nNextLf)
            ++m_nPos;
        return line;
    }

private:
    size_t Find(char c) const
    {
        if (m_nPos >= m_bytes.size())
            return m_bytes.size();
        const void* hit = std::memchr(m_bytes.data() + m_nPos, c, m_bytes.size() - m_nPos);
        return hit ? static_cast<size_t>(static_cast<const char*>(hit) - m_bytes.data()) : m_bytes.size();
    }

    std::string_view m_bytes;
    size_t m_nPos = 0;
    // Where the next LF and CR at or after m_nPos are (the size of the file when there is none).
    size_t m_nNextLf = 0;
    size_t m_nNextCr = 0;
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The count of the header line, read as earlier readers did (the five characters after the fixed
// text, blanks skipped, optional sign, digits) except that when all five are digits the number goes
// on to the end of its digits: the writer pads to five and prints a count from 100,000 up with more.
// Saturates just above the limit so an absurd number cannot overflow.
long long HeaderCount(std::string_view line)
{
    const size_t start = kHeaderText.size();
    if (line.size() <= start)
        return 0;
    const size_t windowEnd = std::min(line.size(), start + kCountWidth);
    size_t i = start;
    while (i < windowEnd && IsBlank(line[i]))
        ++i;
    bool negative = false;
    if (i < windowEnd && (line[i] == '+' || line[i] == '-'))
        negative = line[i++] == '-';
    long long value = 0;
    const bool bareNumber = i == start;
    for (; i < line.size() && IsDigit(line[i]) && (i < windowEnd || bareNumber); ++i)
        value = std::min<long long>(value * 10 + (line[i] - '0'), kMaxCaptureSamples + 1LL);
    return negative ? -value : value;
}

// One line of the file. A line end inside the text would shift every later line of the file, so it
// becomes a blank.
void AppendLine(std::string& out, std::string_view text)
{
    const size_t start = out.size();
    out += text;
    if (text.find_first_of("\r\n") != std::string::npos) {
        for (size_t i = start; i < out.size(); ++i)
            if (out[i] == '\r' || out[i] == '\n')
                out[i] = ' ';
    }
    out += '\n';
}

// The text, then the file and the system's reason, each on a line of its own; a link the writer
// does not follow is explained in the program's own words.
Message FileError(const char* what, const std::string& path, int error)
{
    if (error == kErrorLinkNotFollowed)
        return Message(what, {path}).Then(Message(text::kLinkNotFollowed));
    return Message(what, {path, std::strerror(error)});
}

// Reads the whole file into bytes; 0 or the errno of the failure.
int ReadWholeFile(const std::string& path, std::string& bytes)
{
    // Only a regular file is a capture; a pipe or a device would hold the program on the open.
    const int fd = OpenRegularFile(path);
    if (fd < 0)
        return errno;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    // Refused from its size: no capture comes near it, and reading it first would cost the time
    // and the memory of a quarter of a gigabyte.
    if (S_ISREG(st.st_mode) && static_cast<unsigned long long>(st.st_size) > kMaxFileBytes) {
        ::close(fd);
        return EFBIG;
    }
    int error = 0;
    size_t used = 0;
    const size_t expected = S_ISREG(st.st_mode) ? std::min<size_t>(st.st_size, kMaxFileBytes) + 1 : 65536;
    bytes.clear();
    bytes.reserve(expected);
    AdviseLargePages(bytes.data(), bytes.capacity());
    bytes.resize(expected);
    for (;;) {
        if (used == bytes.size()) {
            if (used > kMaxFileBytes) {
                error = EFBIG;
                break;
            }
            bytes.resize(std::min(used * 2, kMaxFileBytes + 1));
        }
        const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            error = errno;
        if (n <= 0)
            break;
        used += static_cast<size_t>(n);
    }
    ::close(fd);
    bytes.resize(error ? 0 : used);
    return error;
}

} // namespace

std::optional<std::string> WriteCapture(const CVELDRANDoc& doc, const ChannelNames& names, Message* refusal)
{
    // After a load the list holds data tokens only; the header lines kept from the file go first,
    // so the file read back has the count and the samples it was saved with.
    static const TokenList kNoHeader;
    const TokenList& header = doc.HoldsLoadedTokens() ? doc.HeaderTokens() : kNoHeader;
    const TokenList& tokens = doc.Tokens();
    const size_t total = header.size() + tokens.size();
    const size_t headerTokens = kListingHeaderTokens;
    if (total < headerTokens + kTokensPerSample) {
        if (refusal)
            *refusal = Message(text::kNothingToSave);
        return std::nullopt;
    }
    const size_t count = (total - headerTokens) / kTokensPerSample;
    if (count > static_cast<size_t>(kMaxCaptureSamples)) {
        if (refusal)
            *refusal = Message(text::kTooMuchToSave);
        return std::nullopt;
    }

    std::string out;
    out.reserve(64 + total * 18 + kChannelCount * 16);
    char line[80];
    std::snprintf(line, sizeof line, "%.*s%05d)\n", static_cast<int>(kHeaderText.size()), kHeaderText.data(),
                  static_cast<int>(count));
    out += line;
    // Only the lines the count covers: the tokens of a listing that stopped inside its last line
    // never reached the samples, and written out they would be read back as channel names.
    const size_t written = headerTokens + count * kTokensPerSample;
    for (size_t i = 0; i < written; ++i)
        AppendLine(out, i < header.size() ? header[i] : tokens[i - header.size()]);
    for (const std::string& name : names)
        AppendLine(out, Utf8ToCp949(name));
    return out;
}

namespace {

// A line that can be a token of a listing: what the instrument's bytes make (1 to 31 characters
// from 0x30 to 0x7F), and for the first of a sample, a line number of four.
bool IsListingToken(std::string_view line, bool bLineNumber)
{
    if (line.empty() || line.size() > 31 || (bLineNumber && line.size() != 4))
        return false;
    return std::all_of(line.begin(), line.end(), [](char c) { return static_cast<signed char>(c) > 0x2F; });
}

// The first of tokens (ends as the file reader keeps them) that no listing holds, such as a
// channel name; ends.size() when there is none.
size_t FirstNameLine(const char* tokens, const std::vector<uint32_t>& ends)
{
    for (size_t i = 0; i < ends.size(); ++i) {
        const size_t begin = i == 0 ? 0 : ends[i - 1];
        if (!IsListingToken(std::string_view(tokens + begin, ends[i] - begin), i % kTokensPerSample == 0))
            return i;
    }
    return ends.size();
}

// What the first pass over a file found, for the document and the message that follow it.
struct FileContent {
    LoadResult result = LoadResult::EmptyFile;
    std::vector<Message> messages;
    int nClaimedSamples = 0;
    int nSamplesFound = 0;
    int nNamesFound = 0;
    TokenList header;
    TokenList tokens;
    ChannelNames names;
};

// Splits the file into the header lines, the data tokens and the names. The list holds what the
// file holds, whatever its header claims: a sample cut short is completed with empty tokens (by the
// document, as it takes the list), and missing samples are not made up. The data tokens are moved to
// the front of the file's own bytes, which then become the list's storage: no token is copied
// twice, and no second buffer is needed.
FileContent ReadTokens(CVELDRANDoc& doc, std::string& file)
{
    const std::string_view bytes = file;
    FileContent content;
    // A fresh document's list or an earlier capture's: its storage goes back before the new list
    // is built, so both are never held at once.
    doc.BeginLoad();
    CLineReader reader(bytes);
    const std::string_view first = reader.Next();
    if (first.empty())
        return content;

    // Refused before anything is allocated: a negative count would size the store below zero, an
    // absurd one would take all memory for a file that holds a few lines.
    const long long count = HeaderCount(first);
    if (count <= 0 || count > kMaxCaptureSamples) {
        content.messages.emplace_back(text::kNotVeldranData);
        content.result = LoadResult::NotCaptureData;
        return content;
    }
    content.nClaimedSamples = static_cast<int>(count);

    for (int i = 0; i < kListingHeaderTokens; ++i)
        content.header.push_back(reader.Next());
    const size_t claimedTokens = static_cast<size_t>(count) * kTokensPerSample;
    // Every line but the last takes at least its line end, so the rest of the file bounds the
    // number of tokens whatever the header claims.
    const size_t rest = bytes.size() - std::min(bytes.size(), reader.Position());
    std::vector<uint32_t> ends;
    ends.reserve(std::min(claimedTokens, rest + 1));
    // Each token is written at or before where it was read (the header lines before it are gone),
    // so the lines still to be read, and the names after them, are never overwritten.
    char* const out = file.data();
    size_t used = 0;
    while (ends.size() < claimedTokens && !reader.AtEnd()) {
        const std::string_view token = reader.Next();
        std::memmove(out + used, token.data(), token.size());
        used += token.size();
        ends.push_back(static_cast<uint32_t>(used));
    }
    if (ends.size() < claimedTokens) {
        // The file ended before the samples its header claims. Its names, if it has them, were
        // read as samples: the samples end where a line cannot be part of a listing line.
        const size_t firstName = FirstNameLine(out, ends);
        for (size_t i = firstName, n = 0; i < ends.size() && n < content.names.size(); ++i, ++n) {
            const size_t begin = i == 0 ? 0 : ends[i - 1];
            content.names[n] = Cp949ToUtf8(std::string(out + begin, ends[i] - begin));
            ++content.nNamesFound;
        }
        ends.resize(firstName);
        used = ends.empty() ? 0 : ends.back();
    } else {
        for (std::string& name : content.names) {
            content.nNamesFound += reader.AtEnd() ? 0 : 1;
            name = Cp949ToUtf8(std::string(reader.Next()));
        }
    }
    content.nSamplesFound = static_cast<int>((ends.size() + kTokensPerSample - 1) / kTokensPerSample);
    file.resize(used);
    content.tokens.Adopt(std::move(file), std::move(ends));
    content.result = LoadResult::Loaded;
    return content;
}

// Hands what ReadTokens found to the document, with a message when the file was incomplete.
CaptureLoad FinishLoad(CVELDRANDoc& doc, FileContent& content)
{
    CaptureLoad load{true, content.result, std::move(content.messages)};
    if (content.result == LoadResult::EmptyFile)
        return load;
    if (content.result == LoadResult::Loaded
        && (content.nSamplesFound < content.nClaimedSamples || content.nNamesFound < kChannelCount)) {
        load.messages.push_back(Message(text::kCaptureIncomplete, {MessageNumber(content.nClaimedSamples),
                                                                   MessageNumber(content.nSamplesFound),
                                                                   MessageNumber(content.nNamesFound)}));
    }
    if (content.result != LoadResult::Loaded || content.nSamplesFound == 0) {
        // Nothing to show: the file is refused like one that is not a capture, nothing allocated.
        doc.RefuseLoad();
        load.result = LoadResult::NotCaptureData;
        return load;
    }
    doc.LoadCapture(std::move(content.header), std::move(content.tokens), std::move(content.names));
    return load;
}

} // namespace

CaptureLoad ReadCapture(CVELDRANDoc& doc, std::string_view bytes)
{
    std::string file(bytes);
    FileContent content = ReadTokens(doc, file);
    return FinishLoad(doc, content);
}

CaptureSave SaveCaptureFile(const CVELDRANDoc& doc, const ChannelNames& names, const std::string& path)
{
    Message refusal;
    const std::optional<std::string> bytes = WriteCapture(doc, names, &refusal);
    if (!bytes)
        return {false, {refusal}};
    if (const int error = ReplaceFileContents(path, *bytes))
        return {false, {FileError(text::kCannotSave, path, error)}};
    return {true, {}};
}

CaptureLoad LoadCaptureFile(CVELDRANDoc& doc, const std::string& path)
{
    std::string bytes;
    if (const int error = ReadWholeFile(path, bytes)) {
        CaptureLoad failed;
        failed.messages.push_back(FileError(text::kCannotOpen, path, error));
        return failed;
    }
    FileContent content = ReadTokens(doc, bytes);
    return FinishLoad(doc, content);
}

} // namespace veldran
