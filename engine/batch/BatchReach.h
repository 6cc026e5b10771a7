#pragma once

namespace nameshift::engine {

// Which folders a batch renames in: its own alone, or a tree (some names lie beneath it). While
// a batch renames in a tree, no batch renames in any folder of that tree: every batch shares a
// lock of each folder above its own, and a batch over a tree takes its own folder's whole.
enum class BatchReach { Folder, Tree };

}  // namespace nameshift::engine
