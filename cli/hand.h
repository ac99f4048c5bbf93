// The hand of the command-line program: parsing what the player typed into a
// card buffer, and the text that the program prints for it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "notation/text.h"

namespace calc {

constexpr std::int32_t max_hand_cards = 10;

// A parsed hand: the cards in buffer form ("3,N,K,"), or, when the hand is
// bad, one line saying why (naming the offending token) and no cards.
struct parsed_hand {
  text buffer;
  std::string error;
  bool ok() const { return error.empty(); }
};

// All arguments together form the hand: cards separated by commas and/or
// blanks, a trailing separator allowed. A card is 1 to 9, 10, N or 0 for the
// ten, A for the ace, J, Q or K, letters in either case. Any bytes are safe.
parsed_hand parse_hand(const std::vector<std::string>& arguments);

// What the program prints for a hand in buffer form: the result lines in
// display notation, each ended by a line feed, or with `count_only` just the
// number of lines and a line feed. As for the pair search, callers create
// combo_slots first.
std::string card_pairs_output(const text& buffer, bool count_only);

}  // namespace calc
