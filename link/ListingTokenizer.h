#pragma once
// Turns the bytes of a STATE listing, as the instrument sends them, into the tokens the document
// parses. Plain C++, no Qt: the application's reception and programs without a window use it alike.
//
// The byte rules:
// - a byte 0x30..0x7F is a token character; every other byte (control characters, space, signs,
//   and any byte with the top bit set) ends the token being collected;
// - a token keeps its first 31 characters; the rest of a longer run is dropped, so the run still
//   makes one token;
// - an empty token, and a token that begins with 'T' (a header word the listing does not need),
//   is dropped;
// - the first token kept must be "STATE", else the bytes are not a STATE listing and nothing
//   further is taken until Reset;
// - a kept token of four characters is a line number and counts one line of the listing (Collect);
// - a carriage return or a line feed ends the line as well as the token: the receiver keeps the
//   listing's lines in step on them (see CListingLines).
//
// Bytes may come one at a time or in batches of any size: where a batch ends never changes the
// tokens.
//
// Use:
//     CListingTokenizer tokenizer;            // ready for a new listing
//     for (each byte b)
//         switch (tokenizer.Feed(b)) {
//         case CListingTokenizer::EEvent::Token: keep(tokenizer.Token()); break;
//         case CListingTokenizer::EEvent::NotListing: give up; break;
//         default: break;
//         }
// or, for whole buffers, Collect(data, size, tokens, nLines).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace veldran {

class CListingTokenizer {
public:
    static constexpr std::size_t kMaxTokenLength = 31;
    static constexpr std::size_t kLineNumberLength = 4;
    // The word every listing begins with.
    static constexpr std::string_view kFirstToken = "STATE";

    enum class EEvent {
        None,       // the byte was taken (or dropped); no token ended
        Token,      // the byte ended a kept token: Token() holds it (TokenEndsLine(): the byte
                    // was a line end too)
        LineEnd,    // the byte was a line end and ended no kept token
        NotListing, // the first kept token was not "STATE"; the tokenizer takes nothing more
    };

    // Starts a new listing: no token collected, the first-token check pending.
    void Reset();

    // One byte.
    EEvent Feed(unsigned char byte);

    // Bytes from data until one of them gives an event (or all are taken). Returns how many bytes
    // were taken, including the one that gave the event; event is None when all were taken
    // without one.
    std::size_t Feed(const unsigned char* data, std::size_t size, EEvent& event);

    // The token the last Token event ended; valid until the next Feed or Reset.
    [[nodiscard]] std::string_view Token() const { return m_lastToken; }
    // The last token was a line number: one more line of the listing.
    [[nodiscard]] bool IsLineNumber() const { return m_lastToken.size() == kLineNumberLength; }
    // Where the last token began: bytes since the last line end (or since Reset).
    [[nodiscard]] std::size_t TokenColumn() const { return m_nLastColumn; }
    // The byte that ended the last token was a line end.
    [[nodiscard]] bool TokenEndsLine() const { return m_bLastEndsLine; }
    // The length of the line the last line end ended (the line end's column).
    [[nodiscard]] std::size_t LineLength() const { return m_nLineLength; }

    // "STATE" was the first kept token.
    [[nodiscard]] bool StateSeen() const { return m_bStateSeen; }
    // NotListing was reported; Feed takes nothing until Reset.
    [[nodiscard]] bool Rejected() const { return m_bRejected; }
    // Characters of the token being collected (a token not yet ended by a separator).
    [[nodiscard]] std::size_t PendingLength() const { return m_current.size(); }

    // Feeds a whole buffer, appending every kept token to tokens (any list with emplace_back of a
    // string, such as the document's token list) and counting line numbers in nLines. False when
    // the bytes turned out not to be a listing (then, or earlier).
    template <class TokenSink>
    bool Collect(const unsigned char* data, std::size_t size, TokenSink& tokens, int& nLines)
    {
        while (size > 0 && !m_bRejected) {
            EEvent event = EEvent::None;
            const std::size_t taken = Feed(data, size, event);
            data += taken;
            size -= taken;
            if (event == EEvent::Token) {
                tokens.emplace_back(m_lastToken);
                if (IsLineNumber())
                    ++nLines;
            }
        }
        return !m_bRejected;
    }

    // A byte that belongs to a token.
    [[nodiscard]] static constexpr bool IsTokenChar(unsigned char byte)
    {
        // As a signed character: the top bit makes the byte negative, so it ends a token too.
        return static_cast<signed char>(byte) > 0x2F;
    }
    [[nodiscard]] static constexpr bool IsLineEnd(unsigned char byte) { return byte == '\r' || byte == '\n'; }

private:
    // A separator byte (not a token character) ends the token being collected.
    EEvent EndToken(unsigned char separator);

    std::string m_current;   // the token being collected, at most kMaxTokenLength characters
    std::string m_lastToken; // the token the last Token event ended
    std::size_t m_nColumn = 0;       // bytes since the last line end
    std::size_t m_nTokenColumn = 0;  // where m_current began
    std::size_t m_nLastColumn = 0;   // where m_lastToken began
    std::size_t m_nLineLength = 0;   // the column of the last line end
    bool m_bLastEndsLine = false;
    bool m_bStateSeen = false;
    bool m_bRejected = false;
};

} // namespace veldran
