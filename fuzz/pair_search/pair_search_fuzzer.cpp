// The pair search on random hands of up to ten cards. Every line is checked
// on its own (two disjoint groups of the hand with equal totals, written as
// the calculator writes them), the list as a whole against a plain
// enumeration of all pairs of groups, and its order: longest first, no repeats.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "notation/card_text.h"
#include "notation/text.h"
#include "solver/combinations.h"
#include "solver/pair_search.h"

#if CARD_CALC_HAVE_REFERENCE_SOLVER
#include "reference_solver.h"
#endif

namespace calc {
namespace {

text hand_text;  // the hand being checked, for the report

void check(bool ok, const char* what, const text& line = "") {
  if (ok) return;
  std::fprintf(stderr, "pair_search: %s\n  hand: %s\n  line: %s\n", what, hand_text.c_str(), line.c_str());
  std::abort();
}

// One side of a line: card values in number form joined by "+".
std::vector<int> read_side(const text& side, const text& line) {
  std::vector<int> values;
  text rebuilt;
  for (const text& card : split_at(side, "+")) {
    const int value = to_integer(card);
    check(value >= 1 && value <= 13 && std::to_string(value) == card, "a card is not a number-form value",
          line);
    values.push_back(value);
    rebuilt += (rebuilt.empty() ? "" : "+") + card;
  }
  check(!values.empty() && rebuilt == side, "a side is not cards joined by plus signs", line);
  return values;
}

int total(const std::vector<int>& values) {
  int sum = 0;
  for (int v : values) sum += v;
  return sum;
}

// The line of a pair as the calculator writes it: each group from its last
// card to its first, the larger group (or the first, at equal sizes) on the left.
text line_of(const std::vector<int>& hand, unsigned first, unsigned second) {
  auto side = [&](unsigned group) {
    text s;
    for (int p = static_cast<int>(hand.size()) - 1; p >= 0; --p) {
      if (group >> p & 1u) s += (s.empty() ? "" : "+") + std::to_string(hand[static_cast<std::size_t>(p)]);
    }
    return s;
  };
  const bool first_left = __builtin_popcount(first) >= __builtin_popcount(second);
  return first_left ? side(first) + " = " + side(second) : side(second) + " = " + side(first);
}

void check_hand(const std::vector<int>& hand) {
  hand_text.clear();
  for (int v : hand) hand_text += std::to_string(v) + ",";
  text_list result{"left over from before"};
  find_equal_sum_pairs(hand_text, result);

  std::multiset<int> cards(hand.begin(), hand.end());
  std::set<text> seen;
  for (std::size_t i = 0; i < result.size(); ++i) {
    const text& line = result[i];
    const text_list sides = split_at(line, " = ");
    check(sides.size() == 2, "a line is not two sides", line);
    const std::vector<int> left = read_side(sides[0], line), right = read_side(sides[1], line);
    check(total(left) == total(right), "the two sides have different totals", line);
    check(left.size() >= right.size(), "the smaller group stands left", line);
    std::multiset<int> rest = cards;
    for (const std::vector<int>* side : {&left, &right}) {
      for (int v : *side) {
        const auto it = rest.find(v);
        check(it != rest.end(), "the two sides use cards the hand does not have", line);
        rest.erase(it);
      }
    }
    check(convert_card_text(to_display_notation(line), 0) == line, "the line does not read back from display",
          line);
    check(seen.insert(line).second, "a line repeats", line);
    if (i > 0) check(result[i - 1].size() >= line.size(), "a longer line stands after a shorter one", line);
  }

  // Every ordered pair of disjoint non-empty groups with equal totals.
  const unsigned n = static_cast<unsigned>(hand.size()), all = (1u << n) - 1;
  std::vector<int> sums(all + 1, 0);
  for (unsigned m = 1; m <= all; ++m)
    sums[m] = sums[m & (m - 1)] + hand[static_cast<std::size_t>(__builtin_ctz(m))];
  std::set<text> expected;
  for (unsigned first = 1; first <= all; ++first) {
    for (unsigned second = all & ~first; second != 0; second = (second - 1) & (all & ~first)) {
      if (sums[first] == sums[second]) expected.insert(line_of(hand, first, second));
    }
  }
  check(seen == expected, "the lines are not exactly the pairs of groups with equal totals");

#if CARD_CALC_HAVE_REFERENCE_SOLVER
  if (n <= 7) {
    text_list reference_lines;
    reference::find_equal_sum_pairs(hand_text, reference_lines);
    check(result == reference_lines, "the lines differ from the step-by-step search");
  }
#endif
}

}  // namespace
}  // namespace calc

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  calc::combo_slots = calc::make_integer_list(calc::combo_slot_count);
#if CARD_CALC_HAVE_REFERENCE_SOLVER
  calc::reference::combo_slots = calc::make_integer_list(calc::reference::combo_slot_count);
#endif
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first byte gives the number of cards, each further byte one card.
  if (size == 0) return 0;
  std::vector<int> hand;
  const std::size_t count = std::min<std::size_t>(data[0] % 11, size - 1);
  for (std::size_t i = 1; i <= count; ++i) hand.push_back(1 + data[i] % 13);
  calc::check_hand(hand);
  return 0;
}
