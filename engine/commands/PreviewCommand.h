#pragma once

#include "engine/batch/CommandReport.h"
#include "engine/batch/RenameSession.h"
#include "engine/commands/PreviewDisplay.h"

namespace nameshift::engine {

// The "Preview changes" command: computes the new names of the ticked files by the rules and,
// when ID3 support is on, from their tags, and hands every pair to `display` with what apply
// would object to: the batch as a whole, and each file. Nothing on disk changes and the ticks
// stay. Refused when apply would refuse the batch: with the settings' message for the caller to
// show when they make no names (no pairs are shown then), after the display's refusal otherwise.
CommandReport preview(RenameSession& session, PreviewDisplay& display);

}  // namespace nameshift::engine
