#include "notation/card_text.h"

namespace calc {

text convert_card_text(const text& t, std::int32_t direction) {
  if (direction == 1) {
    text r = replace_all(t, "10", "N");
    r = replace_all(r, "11", "J");
    r = replace_all(r, "12", "Q");
    return replace_all(r, "13", "K");
  }
  text r = replace_all(t, "N", "10");
  r = replace_all(r, "J", "11");
  r = replace_all(r, "Q", "12");
  return replace_all(r, "K", "13");
}

text to_display_notation(const text& number_text) { return replace_all(convert_card_text(number_text, 1), "N", "10"); }

}  // namespace calc
