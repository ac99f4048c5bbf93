// One calculation, from the card buffer to the texts that the window shows.
// The window's calculation run writes them into its labels; the command-line
// program and the benchmark use the same function.
#pragma once

#include <cstdint>

#include "notation/text.h"

namespace calc {

struct calculation_captions {
  text all_lines;     // every result line in display notation, each followed by CR LF
  text first_line;    // the first result line in display notation, no line end
  text version_line;  // the version line with the number of result lines
  std::int32_t count = 0;
};

// `buffer_text` in buffer form ("3,N,K,"). As for the pair search, callers
// create combo_slots first.
calculation_captions calculate(const text& buffer_text);

}  // namespace calc
