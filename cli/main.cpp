// card-pairs: the calculator's results in a terminal. Prints the result lines
// of a hand exactly as the window shows them, or their number.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/hand.h"
#include "solver/combinations.h"

namespace {

constexpr std::string_view usage = "usage: card-pairs [--count] [--] HAND   (card-pairs --help explains)\n";

constexpr std::string_view help =
    "usage: card-pairs [--count] [--] HAND\n"
    "       card-pairs --help | --version\n"
    "\n"
    "Lists every way to pick two disjoint, non-empty groups of the cards with\n"
    "equal point totals, one way per line, exactly as the calculator window shows\n"
    "them: longest line first, ten as 10, J, Q and K for 11, 12 and 13.\n"
    "\n"
    "HAND is 0 to 10 cards separated by commas and/or blanks; a trailing separator\n"
    "is allowed. A card is 1 to 9, 10 or N or 0 for the ten, A for the ace, J, Q\n"
    "or K, letters in either case. All arguments after the options together form\n"
    "the hand, so these are the same hand:\n"
    "    card-pairs 3,N,K,\n"
    "    card-pairs \"3 10 k\"\n"
    "    card-pairs 3 10 k\n"
    "An empty argument is the empty hand, which has no lines.\n"
    "\n"
    "Options (before the hand):\n"
    "  --count    print only the number of lines\n"
    "  --help     print this help\n"
    "  --version  print the version\n"
    "  --         end of the options; everything after it is the hand\n"
    "\n"
    "Exit status: 0 when the lines were printed, 2 for a bad hand or option,\n"
    "1 when the output could not be written.\n";

void write(std::FILE* stream, std::string_view s) {
  std::fwrite(s.data(), 1, s.size(), stream);
}

int fail(std::string_view message) {
  write(stderr, "card-pairs: ");
  write(stderr, message);
  write(stderr, "\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  bool count_only = false;
  int next = 1;
  for (; next < argc; ++next) {
    const std::string_view option = argv[next];
    if (option.empty() || option[0] != '-') break;
    if (option == "--") {
      ++next;
      break;
    }
    if (option == "--count") {
      count_only = true;
    } else if (option == "--help") {
      write(stdout, help);
      return 0;
    } else if (option == "--version") {
      write(stdout, "card-pairs " CARD_PAIRS_VERSION "\n");
      return 0;
    } else {
      return fail("unknown option \"" + std::string(option) + "\" (card-pairs --help lists the options)");
    }
  }
  if (next == argc) {
    write(stderr, usage);
    return 2;
  }

  const calc::parsed_hand hand = calc::parse_hand(std::vector<std::string>(argv + next, argv + argc));
  if (!hand.ok()) return fail(hand.error);
  calc::combo_slots = calc::make_integer_list(calc::combo_slot_count);
  write(stdout, calc::card_pairs_output(hand.buffer, count_only));
  return std::fflush(stdout) == 0 ? 0 : 1;
}
