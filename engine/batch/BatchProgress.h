#pragma once

#include <cstddef>

namespace nameshift::engine {

// Batches larger than this show their progress and can be stopped between two renames.
inline constexpr std::size_t kProgressThreshold = 1000;

// Shows how far a long batch of renames has come and lets the user stop it. The dialog shows a
// progress dialog; everything runs on the one user-interface thread, so an implementation keeps
// its window responsive from within `advance`.
class BatchProgress {
public:
    virtual ~BatchProgress() = default;

    // A batch of `total` renames begins.
    virtual void start(std::size_t total) = 0;
    // `done` renames have been tried; false asks to stop before the next one.
    virtual bool advance(std::size_t done) = 0;
    // The batch has ended, stopped or not; messages about it follow.
    virtual void finish() = 0;
};

}  // namespace nameshift::engine
