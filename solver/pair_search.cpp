#include "solver/pair_search.h"

#include <bit>
#include <utility>
#include <vector>

#include "solver/combinations.h"
#include "solver/ordering.h"

namespace calc {
namespace {

using mask = std::uint32_t;

mask position_bit(std::int32_t position, std::int32_t count) {
  if (position < 1) index_out_of_range(range_fault::below_one);
  if (position > count) index_out_of_range(range_fault::beyond_range);
  return mask{1} << (position - 1);
}

// A choice text such as "10,7,2" as a mask of its positions.
mask choice_mask(const text& choice, std::int32_t count) {
  mask m = 0;
  std::int32_t position = 0;
  for (const char c : choice) {
    if (c == ',') {
      m |= position_bit(position, count);
      position = 0;
    } else {
      position = position * 10 + (c - '0');
    }
  }
  return m | position_bit(position, count);
}

// The members of a group, largest position first, as the choice text lists them.
text_list group_of(mask m, const text_list& cards) {
  text_list group;
  group.reserve(static_cast<std::size_t>(std::popcount(m)));
  for (int p = 31 - std::countl_zero(m); m != 0; p = 31 - std::countl_zero(m)) {
    group.push_back(cards[static_cast<std::size_t>(p)]);
    m &= ~(mask{1} << p);
  }
  return group;
}

// Pairs that write the same line get the same key: the card texts of each
// side in line order, as small ids (cards with equal texts share an id), with
// each side's count in its top bits.
struct line_key {
  std::uint64_t left = 0, right = 0;
  bool operator==(const line_key&) const = default;
};

// Remembers which keys were seen; open addressing over a power-of-two table.
class key_index {
 public:
  explicit key_index(std::size_t expected) {
    std::size_t size = 16;
    while (size < 2 * expected) size *= 2;
    slots_.resize(size);
    used_.resize(size, false);
  }
  bool insert(const line_key& key) {
    std::uint64_t h = (key.left * 0x9E3779B97F4A7C15ull) ^ (key.right + 0x632BE59BD9B4E019ull + (key.left >> 7));
    h ^= h >> 29;
    for (std::size_t i = static_cast<std::size_t>(h) & (slots_.size() - 1);; i = (i + 1) & (slots_.size() - 1)) {
      if (!used_[i]) {
        used_[i] = true;
        slots_[i] = key;
        return true;
      }
      if (slots_[i] == key) return false;
    }
  }

 private:
  std::vector<line_key> slots_;
  std::vector<bool> used_;
};

}  // namespace

std::int32_t group_total(const text_list& group) {
  std::uint32_t total = 0;
  for (const text& member : group) total += static_cast<std::uint32_t>(to_integer(member));
  return static_cast<std::int32_t>(total);
}

text format_pair_line(const text_list& first, const text_list& second) {
  text left, right;
  for (const text& member : first) left.append(member).push_back('+');
  for (const text& member : second) right.append(member).push_back('+');
  text line = list_count(first) < list_count(second) ? concatenate(right, " = ", left) : concatenate(left, " = ", right);
  line = replace_all(line, "+ = ", " = ");
  return left_part(line, byte_length(line) - 1);
}

// The pairs are the candidates of the straightforward search: for each first
// group (by size, then in the generator's order) every second group among the
// remaining cards (by size, then in the generator's order on those cards).
// The generator's order of equal-sized choices is the decreasing order of
// their position masks, and removing the first group keeps the remaining
// cards in entry order, so the second groups come out in the same mask order
// over the whole hand. Lines then go longest first; among equal lengths the
// line whose last finding came later stands first.
void find_equal_sum_pairs(const text& card_text, text_list& result) {
  text hand = card_text;
  if (!hand.empty() && hand.front() == ',') hand = right_part(hand, byte_length(hand) - 1);
  if (!hand.empty() && hand.back() == ',') hand = left_part(hand, byte_length(hand) - 1);
  const text_list cards = split_at(hand, ",");
  const std::int32_t n = list_count(cards);
  text_list lines;
  if (n > max_search_cards) index_out_of_range(range_fault::beyond_range);
  if (n < 2) {
    result = std::move(lines);
    return;
  }

  const mask full = (mask{1} << n) - 1;
  std::vector<std::uint32_t> total(std::size_t{full} + 1, 0);
  std::vector<std::uint64_t> code(std::size_t{full} + 1, 0);
  std::uint64_t id[max_search_cards];
  std::uint32_t value[max_search_cards];
  for (std::int32_t c = 0; c < n; ++c) {
    value[c] = static_cast<std::uint32_t>(to_integer(cards[static_cast<std::size_t>(c)]));
    id[c] = static_cast<std::uint64_t>(c);
    for (std::int32_t e = 0; e < c; ++e) {
      if (cards[static_cast<std::size_t>(e)] == cards[static_cast<std::size_t>(c)]) {
        id[c] = id[e];
        break;
      }
    }
  }
  for (mask m = 1; m <= full; ++m) {
    const int lowest = std::countr_zero(m);
    total[m] = total[m & (m - 1)] + value[lowest];
    code[m] = code[m & (m - 1)] * 16 + id[lowest];  // the lowest position comes last in the line
  }

  // The pairs as found, first group in the high half.
  std::vector<std::uint32_t> found;
  std::vector<mask> matches, by_size;
  text_list choices;
  for (std::int32_t i = 1; i <= n; ++i) {
    list_clear(choices);
    combo_size = i;
    generate_combinations(n, i, choices);
    for (const text& choice : choices) {
      const mask first = choice_mask(choice, n);
      const mask rest = full & ~first;
      const std::uint32_t target = total[first];
      matches.clear();
      std::int32_t per_size[max_search_cards + 2] = {};
      for (mask second = rest; second != 0; second = (second - 1) & rest) {  // decreasing masks
        if (total[second] == target) {
          matches.push_back(second);
          ++per_size[std::popcount(second) + 1];
        }
      }
      if (matches.empty()) continue;
      for (int k = 1; k <= max_search_cards + 1; ++k) per_size[k] += per_size[k - 1];
      by_size.resize(matches.size());
      for (const mask second : matches) by_size[static_cast<std::size_t>(per_size[std::popcount(second)]++)] = second;
      for (const mask second : by_size) found.push_back(first << 16 | second);
    }
  }

  // Walking the findings backwards meets every line first at its last finding.
  key_index seen(found.size());
  std::vector<std::uint32_t> distinct;
  for (auto it = found.rbegin(); it != found.rend(); ++it) {
    const mask first = *it >> 16, second = *it & 0xFFFF;
    const bool first_left = std::popcount(first) >= std::popcount(second);
    const mask left = first_left ? first : second, right = first_left ? second : first;
    const line_key key{code[left] | std::uint64_t(std::popcount(left)) << 60,
                       code[right] | std::uint64_t(std::popcount(right)) << 60};
    if (seen.insert(key)) distinct.push_back(*it);
  }
  // In the order of their last findings, so that the stable sort puts the
  // later of two equally long lines first once it reverses the list.
  lines.reserve(distinct.size());
  for (auto it = distinct.rbegin(); it != distinct.rend(); ++it) {
    lines.push_back(format_pair_line(group_of(*it >> 16, cards), group_of(*it & 0xFFFF, cards)));
  }
  sort_lines_by_length(lines, 1);
  // Different card texts can still write the same line ("1+1" as one card);
  // the first of them in this order is the one the full search keeps.
  remove_duplicate_lines(lines);
  result = std::move(lines);
}

}  // namespace calc
