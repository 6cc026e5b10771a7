#pragma once

// What a script learns from the exit status alone.
namespace nameshift::cli::exit_status {
inline constexpr int kDone = 0;
inline constexpr int kSomeRenamesFailed = 1;  // the batch ran; each failure was listed
inline constexpr int kRefused = 2;            // nothing changed: a check or the user said no
inline constexpr int kStopped = 3;    // stopped part way (out of memory); later files untouched
inline constexpr int kBadUsage = 64;  // EX_USAGE, as sysexits.h names it
}  // namespace nameshift::cli::exit_status
