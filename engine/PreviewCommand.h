#pragma once

#include "engine/PreviewDisplay.h"
#include "engine/RenameSession.h"

namespace nameshift::engine {

// The "Preview changes" command: computes the new names of the ticked files by the rules and,
// when ID3 support is on, from their tags, and hands every pair to `display`. Nothing on disk
// changes and the ticks stay. Returns false when a
// check refused, after its message.
bool preview(RenameSession& session, PreviewDisplay& display);

}  // namespace nameshift::engine
