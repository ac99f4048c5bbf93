#include "solver/ordering.h"

#include <array>
#include <utility>
#include <vector>

namespace calc {

void sort_lines_by_length(text_list& list, std::int32_t longest_first) {
  const std::int32_t n = list_count(list);
  if (n == 0) return;
  // The length table has a row per length and a column per list position, and
  // is walked row by row. Only occupied slots are kept: the rows are laid end
  // to end, each holding its texts in column order, which is the same walk.
  std::array<std::int32_t, length_rows + 1> row_start{};
  for (std::int32_t c = 1; c <= n; ++c) {
    const std::int32_t r = byte_length(list_at(list, c));
    if (r < 1) index_out_of_range(range_fault::below_one);
    if (r > length_rows) index_out_of_range(range_fault::beyond_range);
    ++row_start[static_cast<std::size_t>(r)];
  }
  std::int32_t next = 0;
  for (auto& start : row_start) next += std::exchange(start, next);
  text_list table(static_cast<std::size_t>(n));
  for (text& line : list) table[static_cast<std::size_t>(row_start[line.size()]++)] = std::move(line);
  list = std::move(table);
  if (longest_first == 1) reverse_list(list);
}

void reverse_list(text_list& list) {
  const std::int32_t n = list_count(list);
  const std::int32_t h = truncating_divide(n, 2);
  for (std::int32_t i = 1; i <= h; ++i) std::swap(list_at(list, i), list_at(list, n + 1 - i));
}

namespace {

std::uint64_t line_hash(const text& line) {
  std::uint64_t h = 0xCBF29CE484222325ull;  // FNV-1a
  for (const char c : line) h = (h ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
  return h;
}

}  // namespace

void remove_duplicate_lines(text_list& list) {
  // The kept lines gather at the front of the list, in order; the index
  // answers what find_line would over them, without the linear search. It
  // holds their positions (0 for a free slot) in an open-addressing table.
  std::size_t slots = 16;
  while (slots < 2 * list.size()) slots *= 2;
  std::vector<std::uint32_t> index(slots, 0);
  std::size_t kept = 0;
  for (std::size_t i = 0; i < list.size(); ++i) {
    std::size_t slot = line_hash(list[i]) & (slots - 1);
    bool repeated = false;
    for (; index[slot] != 0; slot = (slot + 1) & (slots - 1)) {
      if (compare_texts(list[index[slot] - 1], list[i]) == 0) {
        repeated = true;
        break;
      }
    }
    if (repeated) continue;
    if (kept != i) list[kept] = std::move(list[i]);
    index[slot] = static_cast<std::uint32_t>(++kept);
  }
  list.resize(kept);
}

std::int32_t find_line(const text_list& list, const text& line) {
  for (std::int32_t i = 1; i <= list_count(list); ++i) {
    if (compare_texts(list[static_cast<std::size_t>(i - 1)], line) == 0) return i;
  }
  return -1;
}

}  // namespace calc
