// Hands whose results are known, in number form: every line for the small
// ones, the count and the first lines for the full ones. Both the pair search
// and the step-by-step reference are held to them.
#pragma once

#include <cstddef>
#include <vector>

#include "notation/text.h"

namespace calc {

struct known_hand {
  text cards;
  text_list lines;
};

inline const std::vector<known_hand> known_hands = {
    {"", {}},
    {"5,", {}},
    {"5,5,", {"5 = 5"}},
    {"1,2,3,", {"2+1 = 3"}},
    {",1,2,3", {"2+1 = 3"}},
    {"1,1,2,", {"1+1 = 2", "1 = 1"}},
    {"1,2,3,4,", {"3+2 = 4+1", "4+1 = 3+2", "2+1 = 3", "3+1 = 4"}},
    {"5,5,5,5,", {"5+5 = 5+5", "5 = 5"}},
    {"11,2,13,", {"2+11 = 13"}},
    {"1,5,10,11,", {"10+1 = 11"}},
    {"1,2,3,4,5,",
     {"3+2 = 4+1", "4+1 = 3+2", "4+2 = 5+1", "4+3 = 5+2", "5+1 = 4+2", "5+2 = 4+3", "2+1 = 3", "3+1 = 4",
      "3+2 = 5", "4+1 = 5"}},
    {"13,13,13,13,13,13,13,13,13,13,",
     {"13+13+13+13+13 = 13+13+13+13+13", "13+13+13+13 = 13+13+13+13", "13+13+13 = 13+13+13", "13+13 = 13+13",
      "13 = 13"}},
};

struct known_count {
  text cards;
  std::size_t count;
  text_list first_lines;
};

inline const std::vector<known_count> known_counts = {
    {"1,2,3,4,5,6,7,8,", 146, {"6+5+4+2+1 = 8+7+3", "7+5+3+2+1 = 8+6+4", "8+4+3+2+1 = 7+6+5"}},
    {"2,4,6,8,10,12,1,3,", 111, {"1+10+6+4+2 = 3+12+8"}},
    {"1,2,3,4,5,6,7,8,9,10,", 929, {"7+6+4+3+2+1 = 10+8+5"}},
};

}  // namespace calc
