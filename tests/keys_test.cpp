// Key commands against the in-memory window: key sequences and the state they leave.
#include <gtest/gtest.h>

#include <optional>

#include "notation/gbk.h"
#include "tests/opened_window.h"
#include "window/fixed_texts.h"
#include "window/memory_window.h"
#include "window/program.h"

namespace calc {
namespace {

using enum control;

constexpr std::int32_t enter = 13, esc = 27, backspace = 8, keypad_plus = 107, main_equals = 187, ctrl = 1,
                       shift = 2, alt = 4;

struct key {
  std::int32_t code;
  std::int32_t modifiers = 0;
};

// Card keys by their character: digits, and J, Q, K as letters.
std::vector<key> cards(std::string_view typed) {
  std::vector<key> keys;
  for (char c : typed) keys.push_back({static_cast<unsigned char>(c)});
  return keys;
}

std::vector<key> operator+(std::vector<key> a, const std::vector<key>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const text version_at_start = gbk_from_utf8("版本：4.1 可实现方案总数：NULL");
text version_with(std::string_view count) {
  return gbk_from_utf8(std::string("版本：4.0 作者ID：Pellivar 可实现方案总数：") + std::string(count));
}
const text eight = gbk_from_utf8(utf8_source::title_eight_cards),
           ten = gbk_from_utf8(utf8_source::title_ten_cards);

struct expected_state {
  text buffer, input_line, total, first_line;
  std::optional<text> all_lines = {};  // unset: not checked
  text version = version_at_start;
  text title = eight;
  std::optional<text> clipboard = {};  // unset: nothing was copied
};

struct key_case {
  const char* name;
  std::vector<key> keys;
  expected_state state;
};

using key_commands = opened_window<testing::TestWithParam<key_case>>;

TEST_P(key_commands, leave_the_expected_state) {
  const key_case& c = GetParam();
  for (const key& k : c.keys) window.press_key(k.code, k.modifiers);
  const expected_state& e = c.state;
  EXPECT_EQ(window.caption(标签_不可视), e.buffer);
  EXPECT_EQ(window.caption(标签_输入窗口), e.input_line);
  EXPECT_EQ(window.caption(标签_输入窗口_合计), e.total);
  EXPECT_EQ(window.caption(标签_回馈数据_副), e.first_line);
  if (e.all_lines) {
    EXPECT_EQ(window.caption(标签_回馈数据), *e.all_lines);
  }
  EXPECT_EQ(window.caption(标签_说明), e.version);
  EXPECT_EQ(window.title(), e.title);
  EXPECT_EQ(clipboard.holds_text, e.clipboard.has_value());
  if (e.clipboard) {
    EXPECT_EQ(clipboard.contents, *e.clipboard);
  }
}

const key_case key_cases[] = {
    {"three_ten_king", cards("30K"), {"3,N,K,", "3,10,K,", "=26", ""}},
    {"enter_calculates_without_redrawing_the_input_line",
     cards("30K") + std::vector<key>{{enter}},
     {"3,N,K,", "3,10,K,", "=26", "10+3 = K", "10+3 = K\r\n", version_with("1")}},
    {"ctrl_c_copies_the_first_line",
     cards("30K") + std::vector<key>{{enter}, {'C', ctrl}},
     {"3,N,K,", "3,10,K,", "=26", "10+3 = K", {}, version_with("1"), eight, "10+3 = K"}},
    {"ctrl_c_before_any_calculation_copies_the_empty_text",
     {{'C', ctrl}},
     {"", "", "", "", {}, version_at_start, eight, ""}},
    {"ctrl_shift_c_ctrl_alt_c_and_c_alone_copy_nothing",
     cards("30K") +
         std::vector<key>{{enter}, {'C', ctrl | shift}, {'C', ctrl | alt}, {'C', ctrl | shift | alt}, {'C'}},
     {"3,N,K,", "3,10,K,", "=26", "10+3 = K", {}, version_with("1")}},
    {"eighth_card_fills_and_calculates",
     cards("12345678"),
     {"1,2,3,4,5,6,7,8,", "1,2,3,4,5,6,7,8,", "=36", "6+5+4+2+1 = 8+7+3", {}, version_with("146")}},
    {"ninth_card_appends_nothing_and_calculates_again",
     cards("12345678") + std::vector<key>{{backspace}} + cards("8") + std::vector<key>{{backspace}, {esc}} +
         cards("12345678K"),
     {"1,2,3,4,5,6,7,8,", "1,2,3,4,5,6,7,8,", "=36", "6+5+4+2+1 = 8+7+3", {}, version_with("146")}},
    {"backspace_empties_buffer_input_total_and_results",
     cards("0") + std::vector<key>{{enter}, {backspace}},
     {"", "", "", "", "", version_with("0")}},
    {"backspace_down_to_eight_cards_does_not_calculate",
     std::vector<key>{{keypad_plus}} + cards("123456789") + std::vector<key>{{backspace}},
     {"1,2,3,4,5,6,7,8,", "1,2,3,4,5,6,7,8,", "=36", "", "", version_at_start, ten}},
    {"esc_and_backspace_on_empty_buffer_clear_results_and_keep_the_version",
     cards("55") + std::vector<key>{{enter}, {esc}, {esc}, {backspace}},
     {"", "", "", "", "", version_with("1")}},
    {"enter_on_empty_buffer_shows_a_count_of_zero", {{enter}}, {"", "", "", "", "", version_with("0")}},
    {"card_keys_of_the_table",
     cards("0123456789JQK") + std::vector<key>{{74, shift}, {191}, {106}, {189}},
     {"N,1,2,3,4,5,6,7,", "10,1,2,3,4,5,6,7,", "=38", "6+5+4+3+1 = 7+2+10", {}, version_with("129")}},
    {"slash_star_minus_keys_enter_j_q_k",
     std::vector<key>{{191}, {106}, {189}, {191, shift}, {189, shift}, {74, ctrl}, {74, alt}},
     {"J,Q,K,J,K,J,J,", "J,Q,K,J,K,J,J,", "=82", ""}},
    {"keys_without_a_row_do_nothing",
     std::vector<key>{{main_equals}, {190}, {65}, {17}, {16}, {18}, {112}, {36}, {45}, {67, 0}, {32}, {9}} +
         cards("5"),
     {"5,", "5,", "=5", ""}},
    {"keypad_plus_switches_to_ten_cards_and_back",
     std::vector<key>{{keypad_plus}} + cards("12") + std::vector<key>{{keypad_plus, ctrl | shift}},
     {"1,2,", "1,2,", "=3", "", {}, version_at_start, eight}},
    {"ten_card_mode_fills_at_ten",
     std::vector<key>{{keypad_plus}} + cards("123456789") + std::vector<key>{{48}},
     {"1,2,3,4,5,6,7,8,9,N,",
      "1,2,3,4,5,6,7,8,9,10,",
      "=55",
      "7+6+4+3+2+1 = 10+8+5",
      {},
      version_with("929"),
      ten}},
    {"over_full_after_switching_back_appends_nothing_and_does_not_calculate",
     std::vector<key>{{keypad_plus}} + cards("123456789") + std::vector<key>{{keypad_plus}} + cards("1"),
     {"1,2,3,4,5,6,7,8,9,", "1,2,3,4,5,6,7,8,9,", "=45", "", {}, version_at_start, eight}},
    {"over_full_enter_calculates_with_every_card",
     std::vector<key>{{keypad_plus}} + cards("KKKKKKKKK") + std::vector<key>{{keypad_plus}, {enter}},
     {"K,K,K,K,K,K,K,K,K,", "K,K,K,K,K,K,K,K,K,", "=117", "K+K+K+K = K+K+K+K", {}, version_with("4")}},
    {"over_full_backspace_to_limit_then_a_card_calculates_the_eight",
     std::vector<key>{{keypad_plus}} + cards("123456789") + std::vector<key>{{keypad_plus}, {backspace}} +
         cards("9"),
     {"1,2,3,4,5,6,7,8,", "1,2,3,4,5,6,7,8,", "=36", "6+5+4+2+1 = 8+7+3", {}, version_with("146")}},
    {"mode_switch_on_a_buffer_at_the_new_limit_starts_no_calculation",
     std::vector<key>{{keypad_plus}} + cards("12345678") + std::vector<key>{{keypad_plus}},
     {"1,2,3,4,5,6,7,8,", "1,2,3,4,5,6,7,8,", "=36", "", {}, version_at_start, eight}},
};

void PrintTo(const key_case& c, std::ostream* os) {
  *os << c.name;
}

INSTANTIATE_TEST_SUITE_P(table, key_commands, testing::ValuesIn(key_cases),
                         [](const testing::TestParamInfo<key_case>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace calc
