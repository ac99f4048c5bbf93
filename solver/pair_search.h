// The equal-sum pair search: every pair of disjoint, non-empty groups of the
// cards whose totals are equal, one result line per pair, longest first.
#pragma once

#include <cstdint>

#include "notation/text.h"

namespace calc {

// The search keeps the positions of a group in a 16-bit mask; a hand of more
// cards is a caller fault, reported like any position beyond its range.
constexpr std::int32_t max_search_cards = 16;

struct group_pair {
  text_list first_group;
  text_list second_group;
};

// 0 plus the value of every member (wrapping like 32-bit arithmetic).
std::int32_t group_total(const text_list& group);
// "2+1 = 3": the larger group on the left, the first group when both are as large.
text format_pair_line(const text_list& first, const text_list& second);
// `card_text` in number form ("1,5,10,11,"); `result` receives the final lines.
void find_equal_sum_pairs(const text& card_text, text_list& result);

}  // namespace calc
