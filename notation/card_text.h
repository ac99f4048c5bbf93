// Card texts: a card token followed by a comma per card, in buffer form
// ("1,N,J,"), display form ("1,10,J,") or number form ("1,10,11,").
#pragma once

#include <cstdint>

#include "notation/text.h"

namespace calc {

// Direction 1 turns numbers into letters ("10" to "N", "11" to "J", ...); any
// other direction turns letters into numbers.
text convert_card_text(const text& t, std::int32_t direction);

// Number form or a result line in display notation: 10 stays "10", 11 to 13
// become J, Q and K.
text to_display_notation(const text& number_text);

}  // namespace calc
