#include "solver/pair_search.h"

#include <bit>
#include <utility>
#include <vector>

#include "solver/ordering.h"

namespace calc {
namespace {

using mask = std::uint32_t;

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

// The line of a pair whose card texts are plain digit runs, written straight
// from the masks: what format_pair_line gives for such groups, larger group
// (or the first) on the left, each side largest position first.
void append_side(text& line, mask m, const text_list& cards) {
  for (int p = 31 - std::countl_zero(m); m != 0; p = 31 - std::countl_zero(m)) {
    line.append(cards[static_cast<std::size_t>(p)]);
    m &= ~(mask{1} << p);
    if (m != 0) line.push_back('+');
  }
}

bool digits_only(const text_list& cards) {
  for (const text& card : cards) {
    for (const char c : card) {
      if (c < '0' || c > '9') return false;
    }
  }
  return true;
}

// Pairs that write the same line get the same key: the card texts of each
// side in line order, as small ids (cards with equal texts share an id), with
// each side's count in its top bits.
struct line_key {
  std::uint64_t left = 0, right = 0;
  bool operator==(const line_key&) const = default;
};

// Remembers which keys were seen; open addressing over a power-of-two table
// that grows with the number of distinct keys, which is often far below the
// number of findings (ten equal cards: five lines from 8952 findings). A key's
// left side is never 0 (its count is at least 1), so 0 marks a free slot.
class key_index {
 public:
  bool insert(const line_key& key) {
    if (2 * (count_ + 1) > slots_.size()) grow();
    line_key& slot = find(key);
    if (slot.left != 0) return false;
    slot = key;
    ++count_;
    return true;
  }

 private:
  line_key& find(const line_key& key) {
    std::uint64_t h =
        (key.left * 0x9E3779B97F4A7C15ull) ^ (key.right + 0x632BE59BD9B4E019ull + (key.left >> 7));
    h ^= h >> 29;
    const std::size_t wrap = slots_.size() - 1;
    for (std::size_t i = static_cast<std::size_t>(h) & wrap;; i = (i + 1) & wrap) {
      if (slots_[i].left == 0 || slots_[i] == key) return slots_[i];
    }
  }
  void grow() {
    std::vector<line_key> old(slots_.empty() ? 32 : 2 * slots_.size());
    old.swap(slots_);
    for (const line_key& key : old) {
      if (key.left != 0) find(key) = key;
    }
  }

  std::vector<line_key> slots_;
  std::size_t count_ = 0;
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
  text line = list_count(first) < list_count(second) ? concatenate(right, " = ", left)
                                                     : concatenate(left, " = ", right);
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
  // Group sizes from a table: the processor's population count is not assumed.
  std::vector<std::uint8_t> size(std::size_t{full} + 1, 0);
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
    size[m] = static_cast<std::uint8_t>(size[m & (m - 1)] + 1);
  }

  // The first groups in the generator's order: by size, and within a size in
  // decreasing order of their position sequences read largest first, which
  // is the decreasing order of their masks.
  std::vector<mask> first_groups(full);
  std::int32_t size_start[max_search_cards + 2] = {};
  for (mask m = 1; m <= full; ++m) ++size_start[size[m] + 1];
  for (int k = 1; k <= max_search_cards + 1; ++k) size_start[k] += size_start[k - 1];
  for (mask m = full; m >= 1; --m) first_groups[static_cast<std::size_t>(size_start[size[m]]++)] = m;

  // The pairs as found, first group in the high half.
  std::vector<std::uint32_t> found;
  std::vector<mask> matches, by_size;
  for (const mask first : first_groups) {
    const mask rest = full & ~first;
    const std::uint32_t target = total[first];
    matches.clear();
    std::int32_t per_size[max_search_cards + 2] = {};
    for (mask second = rest; second != 0; second = (second - 1) & rest) {  // decreasing masks
      if (total[second] == target) {
        matches.push_back(second);
        ++per_size[size[second] + 1];
      }
    }
    if (matches.empty()) continue;
    for (int k = 1; k <= max_search_cards + 1; ++k) per_size[k] += per_size[k - 1];
    by_size.resize(matches.size());
    for (const mask second : matches) by_size[static_cast<std::size_t>(per_size[size[second]]++)] = second;
    for (const mask second : by_size) found.push_back(first << 16 | second);
  }

  // Walking the findings backwards meets every line first at its last finding.
  // Each finding is kept as (left << 16 | right), the sides as the line has them.
  key_index seen;
  std::vector<std::uint32_t> distinct;
  for (auto it = found.rbegin(); it != found.rend(); ++it) {
    const mask first = *it >> 16, second = *it & 0xFFFF;
    const bool first_left = size[first] >= size[second];
    const mask left = first_left ? first : second, right = first_left ? second : first;
    const line_key key{code[left] | std::uint64_t{size[left]} << 60,
                       code[right] | std::uint64_t{size[right]} << 60};
    if (seen.insert(key)) distinct.push_back(left << 16 | right);
  }
  // In the order of their last findings, so that the stable sort puts the
  // later of two equally long lines first once it reverses the list.
  lines.reserve(distinct.size());
  // Plain digit runs joined by "+" and " = " name their cards unambiguously,
  // so distinct keys write distinct lines and nothing is left to remove.
  const bool plain = digits_only(cards);
  for (auto it = distinct.rbegin(); it != distinct.rend(); ++it) {
    const mask left = *it >> 16, right = *it & 0xFFFF;
    if (plain) {
      text& line = lines.emplace_back();
      line.reserve(32);
      append_side(line, left, cards);
      line.append(" = ");
      append_side(line, right, cards);
    } else {
      lines.push_back(format_pair_line(group_of(left, cards), group_of(right, cards)));
    }
  }
  sort_lines_by_length(lines, 1);
  // Other card texts can still write the same line ("1+1" as one card); the
  // first of them in this order is the one the full search keeps.
  if (!plain) remove_duplicate_lines(lines);
  result = std::move(lines);
}

}  // namespace calc
