#include "cli/hand.h"

#include <string_view>

#include "window/calculation.h"

namespace calc {
namespace {

bool is_blank(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// The buffer token of a card, or nothing for a token that is no card.
std::string_view buffer_token(std::string_view card) {
  if (card == "10" || card == "0") return "N";
  if (card.size() != 1) return {};
  const char c = card[0];
  if (c >= '1' && c <= '9') return card;
  // Letters in either case: A is the ace, N the ten.
  constexpr std::string_view letters = "AJQKN";
  constexpr std::string_view tokens[] = {"1", "J", "Q", "K", "N"};
  const char upper = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  const std::size_t at = letters.find(upper);
  return at == std::string_view::npos ? std::string_view() : tokens[at];
}

std::string quoted(std::string_view s) {
  return "\"" + std::string(s) + "\"";
}

}  // namespace

parsed_hand parse_hand(const std::vector<std::string>& arguments) {
  // The boundary between two arguments separates like a blank.
  std::string hand;
  for (const std::string& argument : arguments) {
    if (!hand.empty()) hand += ' ';
    hand += argument;
  }

  parsed_hand parsed;
  std::int32_t cards = 0;
  // A comma may follow a card only once: "3,,4" and a leading comma leave a card out.
  bool comma_allowed = false;
  for (std::size_t i = 0; i < hand.size();) {
    if (is_blank(hand[i])) {
      ++i;
    } else if (hand[i] == ',') {
      if (!comma_allowed) {
        parsed.error = "\",\" without a card before it in " + quoted(hand);
        break;
      }
      comma_allowed = false;
      ++i;
    } else {
      const std::size_t start = i;
      while (i < hand.size() && !is_blank(hand[i]) && hand[i] != ',') ++i;
      const std::string_view card = std::string_view(hand).substr(start, i - start);
      const std::string_view token = buffer_token(card);
      if (token.empty()) {
        parsed.error = quoted(card) + " is not a card (cards are 1 to 9, 10 or N or 0, A, J, Q, K)";
        break;
      }
      parsed.buffer.append(token).push_back(',');
      ++cards;
      comma_allowed = true;
    }
  }
  if (parsed.ok() && cards > max_hand_cards) {
    parsed.error = "more than ten cards (" + std::to_string(cards) + " given)";
  }
  if (!parsed.ok()) parsed.buffer.clear();
  return parsed;
}

std::string card_pairs_output(const text& buffer, bool count_only) {
  const calculation_captions captions = calculate(buffer);
  if (count_only) return integer_to_text(captions.count) + "\n";
  // The window's lines end in CR LF; a terminal's in a line feed.
  return replace_all(captions.all_lines, "\r\n", "\n");
}

}  // namespace calc
