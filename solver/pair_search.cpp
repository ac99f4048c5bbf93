#include "solver/pair_search.h"

#include <algorithm>
#include <bit>
#include <utility>
#include <vector>

#include "solver/ordering.h"

namespace calc {
namespace {

using mask = std::uint32_t;

// The members of a group, largest position first, as the choice text lists
// them. The list is reused from line to line, so its texts keep their room.
void fill_group(text_list& group, mask m, std::uint8_t size, const text_list& cards) {
  group.resize(size);
  for (text& member : group) {
    const int p = 31 - std::countl_zero(m);
    member = cards[static_cast<std::size_t>(p)];
    m &= ~(mask{1} << p);
  }
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
  const bool second_left = list_count(first) < list_count(second);
  const text_list& left = second_left ? second : first;
  const text_list& right = second_left ? first : second;
  // Each side's members, each followed by "+", with " = " between the sides,
  // written straight into a text of the right length.
  std::size_t length = 3 + left.size() + right.size();
  for (const text& member : left) length += member.size();
  for (const text& member : right) length += member.size();
  text joined(length, '+');
  char* out = joined.data();
  const auto write_side = [&out](const text_list& side) {
    for (const text& member : side) {
      for (const char c : member) *out++ = c;
      ++out;  // the "+" already stands there
    }
  };
  write_side(left);
  *out++ = ' ', *out++ = '=', *out++ = ' ';
  write_side(right);
  text line = replace_all(std::move(joined), "+ = ", " = ");
  const std::int32_t without_last = byte_length(line) - 1;
  return left_part(std::move(line), without_last);
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

  // The groups again, gathered by total: each total's groups stand together,
  // still in the generator's order, so a first group's partners are the
  // groups of its total that share no card with it, already in search order.
  std::vector<std::uint64_t> by_total(first_groups.size());
  for (std::size_t rank = 0; rank < first_groups.size(); ++rank) {
    by_total[rank] = std::uint64_t{total[first_groups[rank]]} << 32 | rank;
  }
  std::sort(by_total.begin(), by_total.end());
  std::vector<mask> partners(by_total.size());
  std::vector<std::uint32_t> same_total_end(std::size_t{full} + 1), same_total_start(std::size_t{full} + 1);
  for (std::size_t begin = 0, end = 0; begin < by_total.size(); begin = end) {
    while (end < by_total.size() && by_total[end] >> 32 == by_total[begin] >> 32) ++end;
    for (std::size_t k = begin; k < end; ++k) {
      const mask m = first_groups[by_total[k] & 0xFFFFFFFF];
      partners[k] = m;
      same_total_start[m] = static_cast<std::uint32_t>(begin);
      same_total_end[m] = static_cast<std::uint32_t>(end);
    }
  }

  // The pairs as found, first group in the high half. A first group's
  // partners are looked up the cheaper way: among the groups of its total,
  // or among the groups of the remaining cards (by decreasing mask, then put
  // in order of size), whichever holds fewer groups to try.
  std::vector<std::uint32_t> found;
  std::vector<mask> matches;
  for (const mask first : first_groups) {
    const mask rest = full & ~first;
    const std::uint32_t begin = same_total_start[first], end = same_total_end[first];
    if (end - begin <= (std::uint32_t{1} << (n - size[first]))) {
      for (std::uint32_t k = begin; k < end; ++k) {
        if ((partners[k] & first) == 0) found.push_back(first << 16 | partners[k]);
      }
      continue;
    }
    matches.clear();
    std::uint32_t per_size[max_search_cards + 2] = {};
    for (mask second = rest; second != 0; second = (second - 1) & rest) {
      if (total[second] == total[first]) {
        matches.push_back(second);
        ++per_size[size[second] + 1];
      }
    }
    for (int k = 1; k <= max_search_cards + 1; ++k) per_size[k] += per_size[k - 1];
    const std::size_t first_found = found.size();
    found.resize(first_found + matches.size());
    for (const mask second : matches) found[first_found + per_size[size[second]]++] = first << 16 | second;
  }

  // Walking the findings backwards meets every line first at its last finding.
  key_index seen;
  std::vector<std::uint32_t> distinct;
  for (auto it = found.rbegin(); it != found.rend(); ++it) {
    const mask first = *it >> 16, second = *it & 0xFFFF;
    const bool first_left = size[first] >= size[second];
    const mask left = first_left ? first : second, right = first_left ? second : first;
    const line_key key{code[left] | std::uint64_t{size[left]} << 60,
                       code[right] | std::uint64_t{size[right]} << 60};
    if (seen.insert(key)) distinct.push_back(*it);
  }
  // In the order of their last findings, so that the stable sort puts the
  // later of two equally long lines first once it reverses the list.
  lines.reserve(distinct.size());
  text_list first_group, second_group;
  for (auto it = distinct.rbegin(); it != distinct.rend(); ++it) {
    fill_group(first_group, *it >> 16, size[*it >> 16], cards);
    fill_group(second_group, *it & 0xFFFF, size[*it & 0xFFFF], cards);
    lines.push_back(format_pair_line(first_group, second_group));
  }
  sort_lines_by_length(lines, 1);
  // Different card texts can still write the same line ("1+1" as one card);
  // the first of them in this order is the one the full search keeps.
  remove_duplicate_lines(lines);
  result = std::move(lines);
}

}  // namespace calc
