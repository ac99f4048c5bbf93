// The pair search written out step by step, routine for routine, with the
// plain text and list operations and no shortcuts: the generator runs once per
// group, every pair is formatted, the length table is walked row by row and
// repeats are found by a linear search. It is the oracle that the product's
// search is checked against and the baseline of the benchmark; the calculator
// itself never uses it.
#pragma once

#include <cstdint>

#include "notation/text.h"

namespace calc::reference {

// The generator's slots and choice size; its own, so that it never shares
// state with the product's generator.
constexpr std::int32_t combo_slot_count = 100;
extern integer_list combo_slots;
extern std::int32_t combo_size;
void generate_combinations(std::int32_t upper, std::int32_t level, text_list& out);

constexpr std::int32_t length_rows = 1000;
void sort_lines_by_length(text_list& list, std::int32_t longest_first);
void reverse_list(text_list& list);
void remove_duplicate_lines(text_list& list);
std::int32_t find_line(const text_list& list, const text& line);

std::int32_t group_total(const text_list& group);
text format_pair_line(const text_list& first, const text_list& second);
void find_equal_sum_pairs(const text& card_text, text_list& result);

// One calculation from the card buffer to the three captions of the window:
// every line in display notation followed by CR LF, the first line, and the
// version line with the number of lines.
struct captions {
  text all_lines, first_line, version_line;
};
captions run_calculation(const text& buffer_text);

}  // namespace calc::reference
