#pragma once

#include "engine/PreviewDisplay.h"
#include "engine/RenameSession.h"

namespace nameshift::engine {

// The "Preview changes" command: computes the new names of the ticked files by the rules and,
// when ID3 support is on, from their tags, and hands every pair to `display` with what apply
// would object to: the batch as a whole, and each file. Nothing on disk changes and the ticks
// stay. Returns false when apply would refuse the batch: after the settings' message when they
// make no names (no pairs are shown then), after the display's refusal otherwise.
bool preview(RenameSession& session, PreviewDisplay& display);

}  // namespace nameshift::engine
