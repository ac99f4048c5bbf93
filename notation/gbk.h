// The program keeps its fixed texts in code page 936 (GBK); they meet the
// platform in Unicode. Both directions go through the platform's converter.
#pragma once

#include <string>
#include <string_view>

#include "notation/text.h"

namespace calc {

// UTF-8 source text to GBK. Characters without a GBK form become '?'.
text gbk_from_utf8(std::string_view utf8);
// GBK to UTF-8. Invalid or cut-off bytes become U+FFFD.
std::string utf8_from_gbk(const text& gbk);

}  // namespace calc
