#include "analysis/PatternErrorText.h"

namespace veldran {

Message PatternErrorMessage(const PatternError& error)
{
    switch (error.eReason) {
    case EPatternError::EmptyTerm:
        return Message(text::kPatternEmptyTerm);
    case EPatternError::UnknownChannel:
        return Message(text::kPatternUnknownChannel, {error.strTerm});
    case EPatternError::BadValue:
        return Message(text::kPatternBadValue, {error.strTerm});
    case EPatternError::ValueTooWide:
        return Message(text::kPatternValueTooWide, {error.strTerm});
    }
    return Message(text::kPatternBadValue, {error.strTerm});
}

} // namespace veldran
