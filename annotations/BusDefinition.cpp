#include "annotations/BusDefinition.h"

#include "analysis/ChannelRef.h"

#include <array>

namespace veldran {
namespace {

// Adds one list item (a channel or a range) to the bus; a message when it is refused.
std::optional<Message> AddItem(Bus& bus, std::array<bool, kChannelCount>& used, std::string_view item,
                               const ChannelNames& names)
{
    if (item.empty())
        return Message(text::kBusDefinitionEmptyItem);
    const size_t dots = FindOutsideQuotes(item, "..");
    const std::string_view firstText = dots == std::string_view::npos ? item : TrimBlanks(item.substr(0, dots));
    const std::string_view lastText = dots == std::string_view::npos ? item : TrimBlanks(item.substr(dots + 2));
    const std::optional<int> first = ParseChannel(firstText, names);
    if (!first)
        return Message(text::kBusDefinitionUnknownChannel, {std::string(firstText)});
    const std::optional<int> last = ParseChannel(lastText, names);
    if (!last)
        return Message(text::kBusDefinitionUnknownChannel, {std::string(lastText)});
    const int step = *last >= *first ? 1 : -1;
    for (int channel = *first;; channel += step) {
        if (used[channel])
            return Message(text::kBusDefinitionRepeatedChannel, {std::string(item), ChannelId(channel)});
        used[channel] = true;
        bus.channels.push_back(channel);
        if (channel == *last)
            return std::nullopt;
    }
}

} // namespace

std::variant<Bus, Message> ParseBusDefinition(std::string_view text, const ChannelNames& names)
{
    const size_t equals = FindOutsideQuotes(text, "=");
    if (equals == std::string_view::npos)
        return Message(text::kBusDefinitionNoEquals, {std::string(text)});
    Bus bus;
    bus.strName = std::string(TrimBlanks(text.substr(0, equals)));
    if (bus.strName.empty())
        return Message(text::kBusDefinitionNoName, {std::string(text)});
    const std::string_view list = TrimBlanks(text.substr(equals + 1));
    if (list.empty())
        return Message(text::kBusDefinitionNoChannels, {bus.strName});
    std::array<bool, kChannelCount> used{};
    for (const std::string_view item : SplitOutsideQuotes(list))
        if (std::optional<Message> refused = AddItem(bus, used, item, names))
            return *refused;
    return bus;
}

} // namespace veldran
