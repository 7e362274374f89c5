#pragma once
// A fingerprint of everything a subtree shows: kinds, texts, sizes, styles,
// ids, options, pixel buffers, and its children in order. Actions and cells
// are left out; a reused widget takes those over from the new tree. Two
// subtrees with the same fingerprint realize to the same widgets.

#include <cstdint>
#include <unordered_map>

#include "ui/widget.hpp"

namespace qthost {

using Fingerprint = std::uint64_t;
using FingerprintTable = std::unordered_map<const ui::Widget*, Fingerprint>;

// The fingerprint of `root`, recording every node's into `table`.
Fingerprint fingerprint(const ui::Widget& root, FingerprintTable& table);

}  // namespace qthost
