// The combination generator: every choice of k positions out of 1..n, each
// written as a text of positions, largest first ("4,3", "10,7,2").
#pragma once

#include <cstdint>

#include "notation/text.h"

namespace calc {

constexpr std::int32_t combo_slot_count = 100;

// Member s holds the position chosen at recursion level s. Start-up creates
// it with combo_slot_count members; only the generator reads it.
extern integer_list combo_slots;
// The number of positions per choice; set by the caller before each top-level call.
extern std::int32_t combo_size;

// Appends every choice of `level` positions out of 1..upper to `out`, in
// decreasing lexicographic order of the position sequences. The caller clears
// `out` and sets combo_size to `level` first.
void generate_combinations(std::int32_t upper, std::int32_t level, text_list& out);

}  // namespace calc
