// A calculator freshly opened on the in-memory window, with the in-memory
// clipboard: what the window tests start from.
#pragma once

#include <gtest/gtest.h>

#include "window/memory_window.h"
#include "window/program.h"

namespace calc {

template <class test_base = testing::Test>
class opened_window : public test_base {
 protected:
  void SetUp() override {
    init_globals();
    message_index = 0;
    buffer_limit = 0;
    clipboard.install();
    window.load_window();
  }
  void TearDown() override {
    set_clipboard_writer(nullptr);
    release_globals();
  }

  memory_window window;
  memory_clipboard clipboard;
};

}  // namespace calc
