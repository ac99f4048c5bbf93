// convert_card_text and to_display_notation on arbitrary bytes, and on texts
// built like the calculator's own number texts (card values between
// separators), where both directions must be exact.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "notation/card_text.h"
#include "notation/text.h"

namespace calc {
namespace {

void check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "card_text: %s\n", what);
  std::abort();
}

// Towards numbers every card letter standing at a character boundary becomes
// its value; a letter that is the trail byte of a two-byte character stays.
text letters_to_numbers(const text& t) {
  text out;
  for (std::size_t i = 0; i < t.size();) {
    const unsigned char c = static_cast<unsigned char>(t[i]);
    if (c >= 0x80 && i + 1 < t.size()) {
      out.append(t, i, 2);
      i += 2;
      continue;
    }
    switch (c) {
      case 'N':
        out += "10";
        break;
      case 'J':
        out += "11";
        break;
      case 'Q':
        out += "12";
        break;
      case 'K':
        out += "13";
        break;
      default:
        out += static_cast<char>(c);
    }
    ++i;
  }
  return out;
}

void check_any_bytes(const text& t, std::int32_t direction) {
  const text numbers = convert_card_text(t, 0);
  check(numbers == letters_to_numbers(t), "letters to numbers is not exact");
  if (direction != 1)
    check(convert_card_text(t, direction) == numbers, "a direction other than 1 differs from 0");
  check(convert_card_text(replace_all(t, "N", "10"), 0) == numbers,
        "display and buffer form give other numbers");
  // Towards letters and back gives what towards numbers gives: every pair of
  // digits that became a letter comes back as the same digits.
  const text letters = convert_card_text(t, 1);
  check(convert_card_text(letters, 0) == numbers, "numbers to letters does not convert back");
  check(to_display_notation(t) == replace_all(letters, "N", "10"), "display notation is not letters with 10");
}

// A number text as the calculator makes them: card values, each followed by
// a separator of the card text or of the result lines.
text number_text(FuzzedDataProvider& input) {
  static const char* const separators[] = {",", "+", " = ", "\r\n"};
  text t;
  const int count = input.ConsumeIntegralInRange(0, 40);
  for (int i = 0; i < count; ++i) {
    t += std::to_string(input.ConsumeIntegralInRange(1, 13));
    t += separators[input.ConsumeIntegralInRange(0, 3)];
  }
  return t;
}

void check_number_text(const text& t) {
  const text letters = convert_card_text(t, 1);
  check(convert_card_text(letters, 0) == t, "a number text does not read back from letters");
  const text display = to_display_notation(t);
  check(convert_card_text(display, 0) == t, "a number text does not read back from display notation");
  for (const char* two_digits : {"11", "12", "13"}) {
    check(display.find(two_digits) == text::npos, "display notation kept a value above 10 in digits");
  }
  check(letters.find("10") == text::npos && display.find('N') == text::npos, "the ten is written wrongly");
}

}  // namespace
}  // namespace calc

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace calc;
  {
    FuzzedDataProvider input(data, size);
    const std::int32_t direction = input.ConsumeIntegral<std::int32_t>();
    check_any_bytes(input.ConsumeRemainingBytesAsString(), direction);
  }
  FuzzedDataProvider input(data, size);
  check_number_text(number_text(input));
  return 0;
}
