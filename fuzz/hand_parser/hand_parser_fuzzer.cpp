// The hand parser of card-pairs on arbitrary arguments: it never fails
// outside its error, it accepts exactly the hands of the token grammar below,
// a hand it accepts is a buffer of at most ten cards, that buffer parses back
// to itself in every notation the program prints or takes, and the count it
// prints is the number of lines it prints.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/hand.h"
#include "notation/text.h"
#include "solver/combinations.h"

namespace calc {
namespace {

void check(bool ok, const char* what, const std::string& hand) {
  if (ok) return;
  std::fprintf(stderr, "hand_parser: %s\n  hand: \"%s\"\n", what, hand.c_str());
  std::abort();
}

bool is_blank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The hand read as a stream of words and commas: a word is a run of bytes
// that are neither blanks nor commas, and must name a card; every comma must
// directly follow a card in that stream (blanks between them do not count).
// Returns whether the hand is good and, if so, its buffer.
bool model_parse(const std::string& hand, std::string& buffer) {
  static const std::vector<std::pair<std::string, char>> cards = {
      {"1", '1'}, {"2", '2'}, {"3", '3'},  {"4", '4'}, {"5", '5'}, {"6", '6'}, {"7", '7'},
      {"8", '8'}, {"9", '9'}, {"10", 'N'}, {"0", 'N'}, {"N", 'N'}, {"n", 'N'}, {"A", '1'},
      {"a", '1'}, {"J", 'J'}, {"j", 'J'},  {"Q", 'Q'}, {"q", 'Q'}, {"K", 'K'}, {"k", 'K'}};
  buffer.clear();
  bool last_was_card = false;
  int count = 0;
  std::string word;
  auto end_word = [&]() {
    if (word.empty()) return true;
    char token = 0;
    for (const auto& [name, t] : cards) {
      if (word == name) token = t;
    }
    word.clear();
    if (token == 0) return false;
    buffer += token;
    buffer += ',';
    ++count;
    last_was_card = true;
    return true;
  };
  for (const char c : hand) {
    if (is_blank(c) || c == ',') {
      if (!end_word()) return false;
      if (c == ',') {
        if (!last_was_card) return false;
        last_was_card = false;
      }
    } else {
      word += c;
    }
  }
  return end_word() && count <= 10;
}

std::string join(const std::vector<std::string>& arguments) {
  std::string hand;
  for (std::size_t i = 0; i < arguments.size(); ++i) hand += (i > 0 ? " " : "") + arguments[i];
  return hand;
}

void check_arguments(const std::vector<std::string>& arguments) {
  const std::string hand = join(arguments);
  const parsed_hand parsed = parse_hand(arguments);
  check(parsed.ok() != !parsed.error.empty(), "ok and error disagree", hand);
  std::string expected;
  const bool good = model_parse(hand, expected);
  check(parsed.ok() == good, good ? "a good hand was refused" : "a bad hand was accepted", hand);
  if (!good) return check(parsed.buffer.empty(), "a refused hand left cards", hand);
  check(parsed.buffer == expected, "the buffer is not the cards of the hand", hand);

  // The buffer, its display form and the cards with blanks all parse back to it.
  for (const std::string& again :
       {parsed.buffer, replace_all(parsed.buffer, "N", "10"), replace_all(parsed.buffer, ",", " ")}) {
    const parsed_hand reparsed = parse_hand({again});
    check(reparsed.ok() && reparsed.buffer == parsed.buffer, "a parsed buffer does not parse back", again);
  }
  // The count printed is the number of lines printed.
  const std::string lines = card_pairs_output(parsed.buffer, false);
  const std::string count = card_pairs_output(parsed.buffer, true);
  check(count == std::to_string(std::count(lines.begin(), lines.end(), '\n')) + "\n",
        "the count is not the lines", hand);
}

}  // namespace
}  // namespace calc

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  calc::combo_slots = calc::make_integer_list(calc::combo_slot_count);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Zero bytes separate the arguments, as they do on a real command line.
  std::vector<std::string> arguments(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      arguments.emplace_back();
    } else {
      arguments.back() += static_cast<char>(data[i]);
    }
  }
  calc::check_arguments(arguments);
  return 0;
}
