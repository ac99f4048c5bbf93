// The one Qt platform of the test program, brought up by its main().
#pragma once

#include "window/qt/qt_window.h"

namespace calc {
qt_platform& test_platform();
}

#include <cctype>
#include <string>

namespace calc {
// A test name from a case's description: letters and digits, runs of
// anything else as one underscore.
template <class Info>
std::string case_name(const Info& info) {
  std::string name;
  for (const char* p = info.param.what; *p; ++p) {
    if (std::isalnum(static_cast<unsigned char>(*p))) {
      name += *p;
    } else if (!name.empty() && name.back() != '_') {
      name += '_';
    }
  }
  while (!name.empty() && name.back() == '_') name.pop_back();
  return name;
}
}  // namespace calc
