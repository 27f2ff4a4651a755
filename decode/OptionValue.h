#pragma once
// A decoder option's value between the text a user gives and the GVariant the decoder library
// takes: its kind from the type of the option's default, its text, and a user's text checked and
// turned into a value of that kind. Private to decode/.

#include "decode/DecoderCatalogue.h"
#include "resources/Message.h"

#include <glib.h>

#include <optional>
#include <string>
#include <vector>

namespace veldran::decoding {

[[nodiscard]] DecoderOptionKind OptionKindOf(GVariant* value);
// "115200", "none", "0.5".
[[nodiscard]] std::string OptionValueText(GVariant* value);

// Why `text` cannot be the value of the option, or nothing: of the option's kind, and one of its
// allowed values where it has a list.
[[nodiscard]] std::optional<Message> CheckOptionValue(const DecoderInfo& decoder, const DecoderOptionInfo& option,
                                                      const std::string& text);
// The words with ", " between them, for the lists a message names.
[[nodiscard]] std::string JoinedWords(const std::vector<std::string>& words);

// The value of a text that passed the check, as a new reference the caller owns.
[[nodiscard]] GVariant* OptionValue(const DecoderOptionInfo& option, const std::string& text);

} // namespace veldran::decoding
