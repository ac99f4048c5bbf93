#include "solver/combinations.h"

#include <charconv>

namespace calc {

integer_list combo_slots;
std::int32_t combo_size = 0;

void generate_combinations(std::int32_t upper, std::int32_t level, text_list& out) {
  for (std::int32_t v = upper; v >= level; --v) {
    list_at(combo_slots, level) = v;
    if (level >= 2) {
      generate_combinations(v - 1, level - 1, out);
      continue;
    }
    // A choice is complete: its text is rebuilt from the slots, largest position first.
    char digits[16];
    text choice;
    for (std::int32_t c = combo_size; c >= 1; --c) {
      if (!choice.empty()) choice += ',';
      const auto written = std::to_chars(digits, digits + sizeof digits, list_at(combo_slots, c));
      choice.append(digits, written.ptr);
    }
    out.push_back(std::move(choice));
  }
}

}  // namespace calc
