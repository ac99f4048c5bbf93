// Ordering result lines: longest first, stable among equal lengths, and
// removing repeats so that each line stays at its first occurrence.
#pragma once

#include <cstdint>

#include "notation/text.h"

namespace calc {

constexpr std::int32_t length_rows = 1000;

// Orders the texts by byte length, shortest first, keeping the relative order
// of equal lengths; with longest_first exactly 1 the result is then reversed.
// Every text must be 1 to length_rows bytes long; any other length is an
// index_out_of_range fault.
void sort_lines_by_length(text_list& list, std::int32_t longest_first);
void reverse_list(text_list& list);
// Keeps each distinct text once, at the place of its first occurrence.
void remove_duplicate_lines(text_list& list);
// The 1-based position of the first member equal to `line`, or -1.
std::int32_t find_line(const text_list& list, const text& line);

}  // namespace calc
