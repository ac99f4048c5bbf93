// The text operations on arbitrary bytes: two-byte characters, a lead byte cut
// off at the end, empty finds and separators. The checks are properties that
// tie the operations to each other and to the character walk, not a second
// copy of their code.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "notation/text.h"

namespace calc {
namespace {

[[noreturn]] void fail(const char* what) {
  std::fprintf(stderr, "text_ops: %s\n", what);
  std::abort();
}

void check(bool ok, const char* what) {
  if (!ok) fail(what);
}

text join(const text_list& pieces, const text& separator) {
  text joined;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) joined += separator;
    joined += pieces[i];
  }
  return joined;
}

// The length of the character starting at `at` as the scans see it: a lead
// byte (0x80 or above) takes its trail byte along, unless it is the last byte.
std::size_t step(const text& t, std::size_t at) {
  return static_cast<unsigned char>(t[at]) >= 0x80 && at + 1 < t.size() ? 2 : 1;
}

bool occurs_at(const text& t, std::size_t at, const text& part) {
  return at + part.size() <= t.size() && t.compare(at, part.size(), part) == 0;
}

void check_split(const text& t, const text& separator) {
  const text_list pieces = split_at(t, separator);
  if (t.empty()) return check(pieces.empty(), "split of the empty text is not the empty list");
  if (separator.empty())
    return check(pieces.size() == 1 && pieces[0] == t, "split at nothing is not the text");

  // Joining gives the text back, up to a separator at the very end that left no last piece.
  const text joined = join(pieces, separator);
  const bool trailing = joined != t;
  check(!trailing || joined + separator == t, "split then join does not give the text back");
  check(trailing || !pieces.back().empty(), "an empty last piece without a separator behind it");

  // Walking the characters of each piece from its start lands exactly on the
  // separator that ends it, without meeting the separator on the way: no cut
  // inside a two-byte character and no separator missed.
  std::size_t start = 0;
  for (std::size_t p = 0; p < pieces.size(); ++p) {
    const std::size_t end = start + pieces[p].size();
    const bool last = p + 1 == pieces.size();
    std::size_t at = start;
    for (; at < end; at += step(t, at)) check(!occurs_at(t, at, separator), "a separator was passed over");
    if (!last || trailing) {
      check(at == end, "a piece ends inside a two-byte character");
      check(occurs_at(t, end, separator), "a piece does not end at a separator");
    }
    start = end + separator.size();
  }
}

void check_replace(const text& t, const text& find, const text& replacement) {
  const text replaced = replace_all(t, find, replacement);
  if (t.empty() || find.empty()) return check(replaced == t, "replace with nothing to find changed the text");
  check(replace_all(t, find, find) == t, "replacing a text by itself is not the identity");
  // Replacing finds the same occurrences as splitting does.
  const text_list pieces = split_at(t, find);
  const text joined = join(pieces, find);
  const text expected = join(pieces, replacement) + (joined == t ? "" : replacement);
  check(replaced == expected, "replace and split disagree about the occurrences");
}

void check_parts(const text& t, std::int32_t n) {
  const std::int32_t length = byte_length(t);
  const text left = left_part(t, n), right = right_part(t, n);
  const std::int32_t expected = n <= 0 ? 0 : (n >= length ? length : n);
  check(byte_length(left) == expected && byte_length(right) == expected, "a part has the wrong length");
  check(t.starts_with(left) && t.ends_with(right), "a part is not taken from its end");
  if (n >= 0 && n <= length) {
    check(concatenate(left_part(t, n), right_part(t, length - n)) == t, "the two parts do not make the text");
  }
  check(concatenate(t, "", "") == t, "concatenating nothing changed the text");
}

void check_compare(const text& a, const text& b) {
  const std::int32_t ab = compare_texts(a, b), ba = compare_texts(b, a);
  const int expected = a.compare(b);  // std::string compares bytes as unsigned char
  check((ab < 0) == (expected < 0) && (ab == 0) == (expected == 0), "compare disagrees with byte order");
  check((ab < 0) == (ba > 0) && (ab == 0) == (ba == 0), "compare is not antisymmetric");
}

void check_integers(const text& t, std::int32_t n) {
  check(to_integer(integer_to_text(n)) == n, "an integer does not read back");
  const std::int32_t value = to_integer(t);  // any bytes: no crash, no overflow fault
  check(to_integer(integer_to_text(value)) == value, "a read value does not read back");
  check(to_integer(concatenate(" \t", integer_to_text(n), ",x")) == n, "blanks or a tail change the value");
  if (n != 0) check(truncating_divide(n, 2) * 2 + n % 2 == n, "division by 2 does not truncate");
}

}  // namespace
}  // namespace calc

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace calc;
  FuzzedDataProvider input(data, size);
  // The separator and the replacement are short, as in the program; the
  // text takes the rest. Bytes of 0x80 and above make two-byte characters.
  const text separator = input.ConsumeRandomLengthString(4);
  const text replacement = input.ConsumeRandomLengthString(4);
  const std::int32_t n = input.ConsumeIntegral<std::int32_t>();
  const text t = input.ConsumeRemainingBytesAsString();

  check_split(t, separator);
  check_split(t, ",");
  check_replace(t, separator, replacement);
  check_replace(t, "+ = ", " = ");
  check_parts(t, n);
  check_parts(t, n % 40);
  check_compare(t, separator);
  check_compare(t, left_part(t, n % 40));
  check_integers(t, n);
  return 0;
}
