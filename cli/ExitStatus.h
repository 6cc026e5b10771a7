#pragma once

// What a script learns from the exit status alone.
namespace nameshift::cli::exit_status {
inline constexpr int kDone = 0;
inline constexpr int kSomeRenamesFailed = 1;  // the batch ran; each failure was listed
inline constexpr int kRefused = 2;            // nothing changed: a check or the user said no
inline constexpr int kStopped = 3;  // stopped part way (out of memory); later files untouched
// A command line that cannot be read changes nothing either; 2 is what grep, ls and git answer
// to one.
inline constexpr int kBadUsage = 2;
}  // namespace nameshift::cli::exit_status
