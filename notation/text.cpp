#include "notation/text.h"

#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace calc {
namespace {

// A byte of 0x80 or above starts a two-byte character. A lead byte cut off at
// the end of the text counts as one character, so no scan reads past the end.
std::size_t character_length(const text& t, std::size_t at) {
  if (static_cast<unsigned char>(t[at]) < 0x80 || at + 1 == t.size()) return 1;
  return 2;
}

// Bytes that equal `c` in an 8-byte word, each marked by its top bit.
std::uint64_t bytes_equal(std::uint64_t word, char c) {
  constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7Full;
  const std::uint64_t x = word ^ (0x0101010101010101ull * static_cast<unsigned char>(c));
  return ~(((x & low7) + low7) | x | low7);
}

// Calls on_match(position) for every occurrence of `find` (not empty), from
// the first byte on, without overlap, never at the second byte of a two-byte
// character. The text may be rewritten behind the position last reported.
// Where eight bytes are all below 0x80, every byte is a character of its own
// and the word is searched at once for the first two bytes of `find`.
template <class on_match_fn>
void for_each_match(const text& t, const text& find, on_match_fn on_match) {
  constexpr std::uint64_t highs = 0x8080808080808080ull;
  const std::size_t n = t.size(), f = find.size();
  const char* const data = t.data();
  const char first = find[0], second = f > 1 ? find[1] : 0;
  std::size_t i = 0;
  while (i < n && n - i >= f) {
    if (n - i >= 8) {
      std::uint64_t word;
      std::memcpy(&word, data + i, sizeof word);
      if ((word & highs) == 0) {
        // Candidates: a byte equal to `first` whose next byte in the word
        // equals `second`. The last byte has no next byte here, so a word
        // without candidates moves the scan on by seven bytes only.
        std::uint64_t candidates = bytes_equal(word, first);
        if (f > 1) candidates &= bytes_equal(word, second) >> 8;
        if (candidates == 0) {
          i += f > 1 ? 7 : 8;
          continue;
        }
        i += static_cast<std::size_t>(std::countr_zero(candidates)) /
             8;  // the bytes before it are plain characters
        if (n - i < f) break;
      }
    }
    if (data[i] == first && std::memcmp(data + i, find.data(), f) == 0) {
      on_match(i);
      i += f;
    } else {
      i += character_length(t, i);
    }
  }
}

clipboard_writer& installed_clipboard_writer() {
  static clipboard_writer writer;
  return writer;
}

void report_to_standard_error(const text& report) {
  std::fprintf(stderr, "card calculator: fatal error: %s\n", report.c_str());
  std::fflush(stderr);
}

fatal_error_handler installed_fatal_handler = report_to_standard_error;

}  // namespace

std::int32_t byte_length(const text& t) {
  return static_cast<std::int32_t>(t.size());
}

text left_part(const text& t, std::int32_t n) {
  if (n <= 0) return text();
  if (n >= byte_length(t)) return t;
  return t.substr(0, static_cast<std::size_t>(n));
}

text left_part(text&& t, std::int32_t n) {
  if (n <= 0) return text();
  if (n < byte_length(t)) t.resize(static_cast<std::size_t>(n));
  return std::move(t);
}

text right_part(const text& t, std::int32_t n) {
  if (n <= 0) return text();
  if (n >= byte_length(t)) return t;
  return t.substr(t.size() - static_cast<std::size_t>(n));
}

text concatenate(const text& a, const text& b) {
  text joined;
  joined.reserve(a.size() + b.size());
  joined.append(a).append(b);
  return joined;
}

text concatenate(const text& a, const text& b, const text& c) {
  text joined;
  joined.reserve(a.size() + b.size() + c.size());
  joined.append(a).append(b).append(c);
  return joined;
}

std::int32_t compare_texts(const text& a, const text& b) {
  const std::size_t common = a.size() < b.size() ? a.size() : b.size();
  const int bytes = common == 0 ? 0 : std::memcmp(a.data(), b.data(), common);
  if (bytes != 0) return bytes < 0 ? -1 : 1;
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::int32_t to_integer(const text& t) {
  std::size_t i = 0;
  while (i < t.size() && (t[i] == ' ' || (t[i] >= '\t' && t[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  // Unsigned arithmetic: a digit run beyond 32 bits wraps instead of overflowing.
  std::uint32_t value = 0;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9')
    value = value * 10u + static_cast<std::uint32_t>(t[i++] - '0');
  return static_cast<std::int32_t>(negative ? 0u - value : value);
}

text integer_to_text(std::int32_t n) {
  return std::to_string(n);
}

text_list split_at(const text& t, const text& separator) {
  text_list pieces;
  if (t.empty()) return pieces;
  if (separator.empty()) {
    pieces.push_back(t);
    return pieces;
  }
  const std::size_t n = t.size();
  std::size_t piece_start = 0;
  for_each_match(t, separator, [&](std::size_t at) {
    pieces.emplace_back(t, piece_start, at - piece_start);
    piece_start = at + separator.size();
  });
  if (piece_start < n) pieces.emplace_back(t, piece_start, n - piece_start);
  return pieces;
}

text replace_all(const text& t, const text& find, const text& replacement) {
  if (t.empty() || find.empty()) return t;
  text result;
  result.reserve(replacement.size() > find.size() ? t.size() + t.size() / 2 : t.size());
  // Unmatched bytes are copied in runs: run_start marks the first byte not yet copied.
  std::size_t run_start = 0;
  for_each_match(t, find, [&](std::size_t at) {
    result.append(t, run_start, at - run_start).append(replacement);
    run_start = at + find.size();
  });
  result.append(t, run_start, t.size() - run_start);
  return result;
}

text replace_all(text&& t, const text& find, const text& replacement) {
  if (t.empty() || find.empty() || replacement.size() > find.size())
    return replace_all(std::as_const(t), find, replacement);
  // The text only shrinks, so it is rewritten in place: every write lands
  // behind the bytes still to be scanned.
  std::size_t run_start = 0, kept = 0;
  char* const data = t.data();
  for_each_match(t, find, [&](std::size_t at) {
    if (kept != run_start) std::memmove(data + kept, data + run_start, at - run_start);
    kept += at - run_start;
    for (const char c : replacement) data[kept++] = c;
    run_start = at + find.size();
  });
  if (kept != run_start) std::memmove(data + kept, data + run_start, t.size() - run_start);
  t.resize(kept + t.size() - run_start);
  return std::move(t);
}

std::int32_t truncating_divide(std::int32_t a, std::int32_t b) {
  if (b == 0) return 0;  // never called so; defined rather than a crash
  if (b == -1) return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(a));
  return a / b;
}

void set_clipboard_writer(clipboard_writer writer) {
  installed_clipboard_writer() = std::move(writer);
}

bool copy_to_clipboard(const text& t) {
  const clipboard_writer& writer = installed_clipboard_writer();
  return writer ? writer(t) : false;
}

void set_fatal_error_handler(fatal_error_handler handler) {
  installed_fatal_handler = handler ? handler : report_to_standard_error;
}

text range_fault_report(range_fault fault) {
  return fault == range_fault::below_one ? "index out of range: the position is below 1"
                                         : "index out of range: the position is beyond the defined range";
}

void index_out_of_range(range_fault fault) {
  installed_fatal_handler(range_fault_report(fault));
  // Whatever the handler did, the program cannot go on from here.
  std::fflush(nullptr);
  std::_Exit(EXIT_FAILURE);
}

text_list make_text_list(std::int32_t count) {
  return text_list(count > 0 ? static_cast<std::size_t>(count) : 0);
}

integer_list make_integer_list(std::int32_t count) {
  return integer_list(count > 0 ? static_cast<std::size_t>(count) : 0, 0);
}

void list_append(text_list& list, const text& value) {
  list.push_back(value);
}

void list_remove_at(text_list& list, std::int32_t position) {
  if (position < 1 || position > list_count(list)) return;
  list.erase(list.begin() + (position - 1));
}

text_list list_copy(const text_list& list) {
  return list;
}

void list_clear(text_list& list) {
  list.clear();
}

}  // namespace calc
