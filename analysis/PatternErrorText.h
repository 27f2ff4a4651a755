#pragma once
// Why a search pattern was refused, as a message the window and veldran-analyze both show.

#include "analysis/Pattern.h"
#include "resources/Message.h"

namespace veldran {

[[nodiscard]] Message PatternErrorMessage(const PatternError& error);

} // namespace veldran
