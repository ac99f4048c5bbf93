// The window logic against the in-memory window and its test clock.
#include <gtest/gtest.h>

#include <cstring>

#include "notation/gbk.h"
#include "solver/combinations.h"
#include "tests/opened_window.h"
#include "window/description.h"
#include "window/fixed_texts.h"
#include "window/memory_window.h"
#include "window/program.h"
#include "window/view.h"

namespace calc {
namespace {

using enum control;

text gbk(std::string_view utf8) {
  return gbk_from_utf8(utf8);
}

class calculator_window : public opened_window<testing::Test> {
 protected:
  text caption(control c) { return window.caption(c); }
  void type(std::string_view keys) {
    for (char k : keys) window.press_key(static_cast<unsigned char>(k));
  }
  void set_buffer(const text& buffer) { write_caption(标签_不可视, buffer); }
};

TEST_F(calculator_window, opens_in_eight_card_mode_with_message_one_standing) {
  EXPECT_EQ(buffer_limit, 16);
  EXPECT_EQ(window.title(), gbk("Brakmoor计算器 - Velden版(八张)"));
  EXPECT_EQ(window.painted_caption(滚动板_消息标签), gbk(utf8_source::messages[0]));
  EXPECT_EQ(window.top(滚动板_消息标签), 0);
  EXPECT_EQ(window.painted_caption(标签_说明), gbk("版本：4.1 可实现方案总数：NULL"));
  EXPECT_EQ(window.period(滚动板_消息显示时钟), 3000);
  EXPECT_EQ(window.period(滚动板_消息滑动时钟), 0);
  EXPECT_EQ(window.period(滚动板_消息等待时钟), 0);
  EXPECT_EQ(list_count(messages), 4);
  for (control c : {标签_输入窗口_合计, 标签_回馈数据_副, 标签_不可视, 标签_输入窗口, 标签_回馈数据}) {
    EXPECT_EQ(caption(c), "");
  }
}

TEST(fixed_texts, are_held_in_gbk_with_their_byte_counts) {
  const fixed_text_set& t = fixed_texts();
  EXPECT_EQ(byte_length(list_at(t.message_table, 1)), 47);
  EXPECT_EQ(byte_length(list_at(t.message_table, 2)), 55);
  EXPECT_EQ(byte_length(list_at(t.message_table, 3)), 39);
  EXPECT_LE(byte_length(list_at(t.message_table, 4)), 48);
  EXPECT_EQ(t.busy, "\xD5\xFD\xD4\xDA\xBC\xC6\xCB\xE3...");
  // Full-width colons (A3 BA) and exactly two ASCII blanks.
  EXPECT_EQ(t.version_after_run,
            "\xB0\xE6\xB1\xBE\xA3\xBA"
            "4.0 \xD7\xF7\xD5\xDF"
            "ID\xA3\xBA"
            "Pellivar "
            "\xBF\xC9\xCA\xB5\xCF\xD6\xB7\xBD\xB0\xB8\xD7\xDC\xCA\xFD\xA3\xBA"
            "NULL");
}

struct run_case {
  text buffer;
  text all_lines, first_line, count;
};

TEST_F(calculator_window, calculation_writes_lines_first_line_and_count) {
  const run_case cases[] = {
      {"", "", "", "0"},
      {"7,", "", "", "0"},
      {"3,N,K,", "10+3 = K\r\n", "10+3 = K", "1"},
      {"1,N,J,", "10+1 = J\r\n", "10+1 = J", "1"},
      {"5,5,5,5,", "5+5 = 5+5\r\n5 = 5\r\n", "5+5 = 5+5", "2"},
      // More cards than the mode allows: the run does not look at the limit.
      {"K,K,K,K,K,K,K,K,K,K,",
       "K+K+K+K+K = K+K+K+K+K\r\nK+K+K+K = K+K+K+K\r\nK+K+K = K+K+K\r\nK+K = K+K\r\nK = K\r\n",
       "K+K+K+K+K = K+K+K+K+K", "5"},
  };
  for (const run_case& c : cases) {
    set_buffer(c.buffer);
    run_calculation();
    EXPECT_EQ(caption(标签_回馈数据), c.all_lines) << c.buffer;
    EXPECT_EQ(caption(标签_回馈数据_副), c.first_line) << c.buffer;
    EXPECT_EQ(caption(标签_说明), gbk("版本：4.0 作者ID：Pellivar 可实现方案总数：" + c.count)) << c.buffer;
    EXPECT_EQ(caption(标签_不可视), c.buffer);
    EXPECT_EQ(caption(标签_输入窗口), "");  // the run touches nothing else
    EXPECT_EQ(buffer_limit, 16);
  }
}

TEST_F(calculator_window, running_twice_writes_the_same_captions) {
  set_buffer("1,2,3,4,5,6,7,8,");
  run_calculation();
  const text first = caption(标签_回馈数据);
  EXPECT_TRUE(first.starts_with("6+5+4+2+1 = 8+7+3\r\n7+5+3+2+1 = 8+6+4\r\n"));
  run_calculation();
  EXPECT_EQ(caption(标签_回馈数据), first);
  EXPECT_EQ(caption(标签_说明), gbk("版本：4.0 作者ID：Pellivar 可实现方案总数：146"));
}

TEST_F(calculator_window, busy_text_is_overwritten_before_any_repaint) {
  type("30K");
  const int before = window.repaints();
  window.press_key(13);
  EXPECT_EQ(window.repaints(), before + 1);
  EXPECT_EQ(window.painted_caption(标签_回馈数据_副), "10+3 = K");
}

// The strip's timeline, step by step: (time, top, caption index shown, running timers).
TEST_F(calculator_window, strip_follows_its_timeline) {
  auto message = [](int i) { return gbk(utf8_source::messages[i - 1]); };
  window.advance(2999);
  EXPECT_EQ(window.top(滚动板_消息标签), 0);
  EXPECT_TRUE(window.ticks().empty());
  window.advance(1);  // 3000: the first display tick writes message 1 again and starts sliding out
  EXPECT_EQ(message_index, 1);
  EXPECT_EQ(caption(滚动板_消息标签), message(1));
  EXPECT_EQ(window.period(滚动板_消息滑动时钟), 100);
  EXPECT_EQ(window.next_tick(滚动板_消息显示时钟), 6000);  // 3000 again: the countdown was not restarted
  window.advance(100);  // 3100: the first slide tick stops the display timer
  EXPECT_EQ(window.top(滚动板_消息标签), -1);
  EXPECT_EQ(window.period(滚动板_消息显示时钟), 0);
  window.advance(1400);  // 4500
  EXPECT_EQ(window.top(滚动板_消息标签), -15);
  window.advance(100);  // 4600: out of view, back below, display at once
  EXPECT_EQ(window.top(滚动板_消息标签), 16);
  EXPECT_EQ(window.period(滚动板_消息显示时钟), 1);
  EXPECT_EQ(window.period(滚动板_消息滑动时钟), 0);
  window.advance(1);  // 4601: message 2 written out of view
  EXPECT_EQ(caption(滚动板_消息标签), message(2));
  EXPECT_EQ(message_index, 2);
  EXPECT_EQ(window.top(滚动板_消息标签), 16);
  window.advance(100);  // 4701: sliding in
  EXPECT_EQ(window.top(滚动板_消息标签), 15);
  EXPECT_EQ(window.period(滚动板_消息显示时钟), 0);
  window.advance(1500);  // 6201: at rest
  EXPECT_EQ(window.top(滚动板_消息标签), 0);
  EXPECT_EQ(window.period(滚动板_消息滑动时钟), 0);
  EXPECT_EQ(window.period(滚动板_消息等待时钟), 3000);
  window.advance(2999);
  EXPECT_EQ(window.top(滚动板_消息标签), 0);
  window.advance(1);  // 9201: the pause ends and the message slides out
  EXPECT_EQ(window.period(滚动板_消息等待时钟), 0);
  EXPECT_EQ(window.period(滚动板_消息滑动时钟), 100);
  window.advance(1601);  // 10802: message 3 has been written
  EXPECT_EQ(caption(滚动板_消息标签), message(3));
}

TEST_F(calculator_window, strip_cycles_through_the_four_messages_within_its_viewport) {
  std::vector<text> shown;
  for (int step = 0; step < 40 * 620; ++step) {
    window.advance(10);
    const std::int32_t top = window.top(滚动板_消息标签);
    ASSERT_GE(top, -16);
    ASSERT_LE(top, 16);
    const text c = caption(滚动板_消息标签);
    if (shown.empty() || shown.back() != c) shown.push_back(c);
  }
  // 1 stands and slides out, then every message slides in: 1 2 3 4 1 2 3 4 ...
  ASSERT_GE(shown.size(), 9u);
  for (std::size_t i = 0; i < shown.size(); ++i)
    EXPECT_EQ(shown[i], list_at(messages, 1 + static_cast<int>(i % 4)));
  // Every message after the first takes 6.2 s: 1.6 s in, 3 s at rest, 1.6 s out.
  std::vector<std::int64_t> display_ticks;
  for (const tick_record& t : window.ticks()) {
    if (t.timer == 滚动板_消息显示时钟) display_ticks.push_back(t.time);
  }
  ASSERT_GE(display_ticks.size(), 4u);
  EXPECT_EQ(display_ticks[0], 3000);
  EXPECT_EQ(display_ticks[1], 4601);
  for (std::size_t i = 2; i < display_ticks.size(); ++i)
    EXPECT_EQ(display_ticks[i] - display_ticks[i - 1], 6201);
}

TEST_F(calculator_window, long_handler_delays_ticks_without_a_burst) {
  window.advance(3100);  // sliding: top -1
  ASSERT_EQ(window.top(滚动板_消息标签), -1);
  // A calculation that takes 750 ms: seven slide periods pass inside it.
  set_buffer("K,K,K,K,K,K,K,K,K,");
  window.press_key(75);
  window.spend(750);
  window.advance(0);  // the late tick comes once
  EXPECT_EQ(window.top(滚动板_消息标签), -2);
  EXPECT_EQ(window.ticks().back().time, 3850);
  window.advance(99);
  EXPECT_EQ(window.top(滚动板_消息标签), -2);
  window.advance(1);
  EXPECT_EQ(window.top(滚动板_消息标签), -3);
}

TEST_F(calculator_window, keys_and_calculations_leave_the_strip_alone) {
  window.advance(5000);
  const std::int32_t top = window.top(滚动板_消息标签);
  const text message = caption(滚动板_消息标签);
  for (int key : {49, 50, 51, 13, 27, 107, 67}) window.press_key(key, key == 67 ? 1 : 0);
  EXPECT_EQ(window.top(滚动板_消息标签), top);
  EXPECT_EQ(caption(滚动板_消息标签), message);
}

TEST(window_description, controls_fit_the_least_client_area) {
  int right = 0, bottom = 0;
  for (const control_description& d : window_description()) {
    if (d.shown && !d.parent) {
      right = std::max(right, d.left + d.width);
      bottom = std::max(bottom, d.top + d.height);
    }
  }
  EXPECT_EQ(right, calc::calculator_window.least_client_width);
  EXPECT_EQ(bottom, calc::calculator_window.least_client_height);
  EXPECT_LE(right, calc::calculator_window.client_width);
  EXPECT_LE(bottom, calc::calculator_window.client_height);
}

TEST(view_operations, clamp_tops_and_keep_running_periods) {
  memory_window window;
  install_window(&window);
  write_top(滚动板_消息标签, 40000);
  EXPECT_EQ(read_top(滚动板_消息标签), 32627);
  write_top(滚动板_消息标签, -40000);
  EXPECT_EQ(read_top(滚动板_消息标签), -32627);
  write_period(滚动板_消息等待时钟, -5);
  EXPECT_EQ(window.period(滚动板_消息等待时钟), 0);
  write_period(滚动板_消息等待时钟, 300);
  window.advance(200);
  write_period(滚动板_消息等待时钟, 300);  // the same period: the countdown goes on
  EXPECT_EQ(window.next_tick(滚动板_消息等待时钟), 300);
  write_period(滚动板_消息等待时钟, 200);  // another period restarts it now
  EXPECT_EQ(window.next_tick(滚动板_消息等待时钟), 400);
  write_period(滚动板_消息等待时钟, 0);
  EXPECT_EQ(window.next_tick(滚动板_消息等待时钟), std::nullopt);
  install_window(nullptr);
}

TEST(start_up, runs_the_event_loop_and_registers_release_once) {
  struct failing_window : memory_window {
    bool load_window() override { return false; }
  };
  failing_window broken;
  testing::internal::CaptureStderr();
  EXPECT_NE(start_program(broken), 0);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("could not be opened"), std::string::npos);
  memory_window window;
  EXPECT_EQ(start_program(window), 0);
  EXPECT_EQ(combo_slots.size(), 100u);
  EXPECT_EQ(buffer_limit, 16);
  release_globals();
}

TEST(start_up, exit_routines_run_once_in_order) {
  EXPECT_EXIT(
      {
        static char order[8] = {};
        register_exit_routine([] { std::strcat(order, "a"); });
        auto b = [] {
          std::strcat(order, "b");
          std::fprintf(stderr, "ran %s\n", order);
        };
        register_exit_routine(b);
        register_exit_routine(b);
        std::exit(0);
      },
      testing::ExitedWithCode(0), "^ran ab\n$");
}

}  // namespace
}  // namespace calc
