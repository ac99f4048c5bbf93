#include "reference_solver.h"

#include <utility>
#include <vector>

#include "notation/card_text.h"
#include "window/fixed_texts.h"

namespace calc::reference {
namespace {

struct group_pair {
  text_list first_group;
  text_list second_group;
};

// Fills `group` with copies of the cards at the positions of a choice text,
// in the order of the text.
void fill_group(text_list& group, const text_list& positions, const text_list& cards) {
  list_clear(group);
  for (std::int32_t p = 1; p <= list_count(positions); ++p) {
    list_append(group, list_at(cards, to_integer(list_at(positions, p))));
  }
}

}  // namespace

// Created with the program rather than by a start-up routine: the oracle has none.
integer_list combo_slots = make_integer_list(combo_slot_count);
std::int32_t combo_size = 0;

void generate_combinations(std::int32_t upper, std::int32_t level, text_list& out) {
  for (std::int32_t v = upper; v >= level; v = v - 1) {
    list_at(combo_slots, level) = v;
    if (level >= 2) {
      generate_combinations(v - 1, level - 1, out);
      continue;
    }
    text choice;
    for (std::int32_t c = combo_size; c >= 1; c = c - 1) {
      if (compare_texts(choice, "") != 0) choice = concatenate(choice, ",");
      choice = concatenate(choice, integer_to_text(list_at(combo_slots, c)));
    }
    list_append(out, choice);
  }
}

void sort_lines_by_length(text_list& list, std::int32_t longest_first) {
  const std::int32_t n = list_count(list);
  if (n == 0) return;
  // The length table with its rows kept sparse: a row holds only its occupied
  // slots, in column order, so walking the rows in turn is the reading order.
  std::vector<text_list> table(static_cast<std::size_t>(length_rows));
  for (std::int32_t c = 1; c <= n; ++c) {
    const std::int32_t r = byte_length(list_at(list, c));
    if (r < 1) index_out_of_range(range_fault::below_one);
    if (r > length_rows) index_out_of_range(range_fault::beyond_range);
    text_list& row = table[static_cast<std::size_t>(r - 1)];
    row.emplace_back();
    std::swap(row.back(), list_at(list, c));
  }
  std::int32_t write = 0;
  for (text_list& row : table) {
    for (text& slot : row) {
      if (compare_texts(slot, "") == 0) continue;
      write = write + 1;
      std::swap(slot, list_at(list, write));
    }
  }
  if (longest_first == 1) reverse_list(list);
}

void reverse_list(text_list& list) {
  const std::int32_t n = list_count(list);
  const std::int32_t h = truncating_divide(n, 2);
  for (std::int32_t i = 1; i <= h; i = i + 1) std::swap(list_at(list, i), list_at(list, n + 1 - i));
}

void remove_duplicate_lines(text_list& list) {
  text_list kept;
  for (std::int32_t i = 1; i <= list_count(list); i = i + 1) {
    if (find_line(kept, list_at(list, i)) == -1) list_append(kept, list_at(list, i));
  }
  list = list_copy(kept);
}

std::int32_t find_line(const text_list& list, const text& line) {
  for (std::int32_t i = 1; i <= list_count(list); i = i + 1) {
    if (compare_texts(list[static_cast<std::size_t>(i - 1)], line) == 0) return i;
  }
  return -1;
}

std::int32_t group_total(const text_list& group) {
  std::int32_t total = 0;
  for (const text& member : group) total = total + to_integer(member);
  return total;
}

text format_pair_line(const text_list& first, const text_list& second) {
  text left, right;
  for (const text& member : first) left = concatenate(left, member, "+");
  for (const text& member : second) right = concatenate(right, member, "+");
  text line;
  if (list_count(first) < list_count(second)) {
    line = concatenate(right, " = ", left);
  } else {
    line = concatenate(left, " = ", right);
  }
  line = replace_all(line, "+ = ", " = ");
  return left_part(line, byte_length(line) - 1);
}

void find_equal_sum_pairs(const text& card_text, text_list& result) {
  text hand = card_text;
  if (compare_texts(left_part(hand, 1), ",") == 0) hand = right_part(hand, byte_length(hand) - 1);
  if (compare_texts(right_part(hand, 1), ",") == 0) hand = left_part(hand, byte_length(hand) - 1);
  text_list cards = split_at(hand, ",");
  const std::int32_t n = list_count(cards);

  text_list first_choices, second_choices, first_group, second_group, remaining, lines;
  std::vector<group_pair> pairs;
  for (std::int32_t i = 1; i <= n; i = i + 1) {
    list_clear(first_choices);
    combo_size = i;
    generate_combinations(n, i, first_choices);
    for (std::int32_t f = 1; f <= list_count(first_choices); f = f + 1) {
      const text_list first_positions = split_at(list_at(first_choices, f), ",");
      fill_group(first_group, first_positions, cards);
      const std::int32_t first_total = group_total(first_group);
      // Largest position first, so every removal leaves the smaller positions in place.
      remaining = list_copy(cards);
      for (std::int32_t p = 1; p <= list_count(first_positions); p = p + 1) {
        list_remove_at(remaining, to_integer(list_at(first_positions, p)));
      }
      const std::int32_t m = list_count(remaining);
      for (std::int32_t k = 1; k <= m; k = k + 1) {
        list_clear(second_choices);
        combo_size = k;
        generate_combinations(m, k, second_choices);
        for (std::int32_t s = 1; s <= list_count(second_choices); s = s + 1) {
          fill_group(second_group, split_at(list_at(second_choices, s), ","), remaining);
          if (group_total(second_group) == first_total) {
            pairs.push_back(group_pair{list_copy(first_group), list_copy(second_group)});
          }
        }
      }
    }
  }
  for (const group_pair& pair : pairs)
    list_append(lines, format_pair_line(pair.first_group, pair.second_group));
  sort_lines_by_length(lines, 1);
  remove_duplicate_lines(lines);
  result = list_copy(lines);
}

captions run_calculation(const text& buffer_text) {
  const text number_text = convert_card_text(buffer_text, 0);
  text_list result;
  find_equal_sum_pairs(number_text, result);
  text first_line, joined_lines;
  const std::int32_t count = list_count(result);
  for (std::int32_t i = 1; i <= count; i = i + 1) {
    if (compare_texts(first_line, "") == 0) first_line = list_at(result, i);
    joined_lines = concatenate(joined_lines, list_at(result, i), "\r\n");
  }
  captions out;
  out.all_lines = replace_all(convert_card_text(joined_lines, 1), "N", "10");
  out.first_line = replace_all(convert_card_text(first_line, 1), "N", "10");
  out.version_line =
      replace_all(fixed_texts().version_after_run, "NULL", integer_to_text(list_count(result)));
  return out;
}

}  // namespace calc::reference
