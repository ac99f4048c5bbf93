#include "notation/text.h"

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

std::int32_t byte_length(const text& t) { return static_cast<std::int32_t>(t.size()); }

text left_part(const text& t, std::int32_t n) {
  if (n <= 0) return text();
  if (n >= byte_length(t)) return t;
  return t.substr(0, static_cast<std::size_t>(n));
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
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') value = value * 10u + static_cast<std::uint32_t>(t[i++] - '0');
  return static_cast<std::int32_t>(negative ? 0u - value : value);
}

text integer_to_text(std::int32_t n) { return std::to_string(n); }

text_list split_at(const text& t, const text& separator) {
  text_list pieces;
  if (t.empty()) return pieces;
  if (separator.empty()) {
    pieces.push_back(t);
    return pieces;
  }
  const std::size_t n = t.size(), s = separator.size();
  std::size_t piece_start = 0, i = 0;
  while (i < n && n - i >= s) {
    if (t[i] == separator[0] && std::memcmp(t.data() + i, separator.data(), s) == 0) {
      pieces.emplace_back(t, piece_start, i - piece_start);
      i += s;
      piece_start = i;
    } else {
      i += character_length(t, i);
    }
  }
  if (piece_start < n) pieces.emplace_back(t, piece_start, n - piece_start);
  return pieces;
}

text replace_all(const text& t, const text& find, const text& replacement) {
  if (t.empty() || find.empty()) return t;
  const std::size_t n = t.size(), f = find.size();
  const char first = find[0];
  text result;
  result.reserve(n + n / 4);
  // Unmatched bytes are copied in runs: run_start marks the first byte not yet copied.
  std::size_t run_start = 0, i = 0;
  while (i < n && n - i >= f) {
    if (t[i] == first && std::memcmp(t.data() + i, find.data(), f) == 0) {
      result.append(t, run_start, i - run_start).append(replacement);
      i += f;
      run_start = i;
    } else {
      i += character_length(t, i);
    }
  }
  result.append(t, run_start, n - run_start);
  return result;
}

std::int32_t truncating_divide(std::int32_t a, std::int32_t b) {
  if (b == 0) return 0;  // never called so; defined rather than a crash
  if (b == -1) return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(a));
  return a / b;
}

void set_clipboard_writer(clipboard_writer writer) { installed_clipboard_writer() = std::move(writer); }

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

text_list make_text_list(std::int32_t count) { return text_list(count > 0 ? static_cast<std::size_t>(count) : 0); }

integer_list make_integer_list(std::int32_t count) {
  return integer_list(count > 0 ? static_cast<std::size_t>(count) : 0, 0);
}

void list_append(text_list& list, const text& value) { list.push_back(value); }

void list_remove_at(text_list& list, std::int32_t position) {
  if (position < 1 || position > list_count(list)) return;
  list.erase(list.begin() + (position - 1));
}

text_list list_copy(const text_list& list) { return list; }

void list_clear(text_list& list) { list.clear(); }

}  // namespace calc
