// Long random key sequences against the in-memory window, compared after every
// key with a small model of the key commands: the buffer as a list of cards,
// the mode, the three result captions, the title and the clipboard. The model
// is written from the key table and the buffer states, not from the handlers;
// only the result lines of a calculation come from the solver, which is
// checked elsewhere. The strip's timers tick between the keys.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "notation/gbk.h"
#include "notation/text.h"
#include "solver/combinations.h"
#include "solver/pair_search.h"
#include "tests/opened_window.h"
#include "window/memory_window.h"
#include "window/program.h"

namespace calc {
namespace {

using enum control;

constexpr int ctrl = 1, shift = 2, alt = 4;
constexpr std::string_view eight_card_title = "Brakmoor计算器 - Velden版(八张)";
constexpr std::string_view ten_card_title = "Brakmoor计算器 - Karst版(十张)";

// The card keys of the key table and the card each one enters ('N' is the ten).
const std::map<int, char> card_keys = {
    {48, 'N'}, {49, '1'}, {50, '2'}, {51, '3'},  {52, '4'}, {53, '5'},  {54, '6'}, {55, '7'},
    {56, '8'}, {57, '9'}, {74, 'J'}, {191, 'J'}, {81, 'Q'}, {106, 'Q'}, {75, 'K'}, {189, 'K'},
};
// Keys without a row: letters, "=", the keypad keys that arrive mapped, the
// modifier keys themselves, F1, F10, navigation and odd codes.
const std::vector<int> idle_keys = {65, 67, 187, 190, 96,  101, 105, 109, 110, 111,
                                    16, 17, 18,  112, 121, 36,  46,  0,   255};

int card_value(char card) {
  switch (card) {
    case 'N':
      return 10;
    case 'J':
      return 11;
    case 'Q':
      return 12;
    case 'K':
      return 13;
    default:
      return card - '0';
  }
}

// Result lines are number-form values between separators; the window shows
// 11 to 13 as letters.
text display_line(const text& number_line) {
  text out, digits;
  auto flush = [&] {
    if (digits == "11") digits = "J";
    if (digits == "12") digits = "Q";
    if (digits == "13") digits = "K";
    out += digits;
    digits.clear();
  };
  for (const char c : number_line) {
    if (c >= '0' && c <= '9') {
      digits += c;
    } else {
      flush();
      out += c;
    }
  }
  flush();
  return out;
}

struct model_results {
  text all_lines, first_line, version_line;
};

class typing_model {
 public:
  typing_model()
      : title_(gbk_from_utf8(eight_card_title)), version_(gbk_from_utf8("版本：4.1 可实现方案总数：NULL")) {}

  void press(int key, int modifiers, bool clipboard_opens) {
    if (key == 13) {
      calculate();
    } else if (key == 27) {
      cards_.clear();
      all_lines_.clear();
      first_line_.clear();
    } else if (key == 8) {
      if (!cards_.empty()) cards_.pop_back();
      all_lines_.clear();
      first_line_.clear();
    } else if (card_keys.contains(key)) {
      if (cards() < limit_cards_) cards_.push_back(card_keys.at(key));
      if (cards() == limit_cards_) calculate();
    } else if (key == 67 && modifiers == ctrl) {
      if (clipboard_opens) clipboard_ = first_line_;
    } else if (key == 107) {
      const bool eight = limit_cards_ == 8;
      limit_cards_ = eight ? 10 : 8;
      title_ = gbk_from_utf8(eight ? ten_card_title : eight_card_title);
    }
  }

  int cards() const { return static_cast<int>(cards_.size()); }
  int limit_cards() const { return limit_cards_; }
  text buffer() const {
    text b;
    for (const char c : cards_) b += text{c, ','};
    return b;
  }
  text input_line() const {
    text line;
    for (const char c : cards_) line += (c == 'N' ? text("10") : text{c}) + ",";
    return line;
  }
  text total() const {
    if (cards_.empty()) return "";
    int sum = 0;
    for (const char c : cards_) sum += card_value(c);
    return "=" + std::to_string(sum);
  }
  const text& all_lines() const { return all_lines_; }
  const text& first_line() const { return first_line_; }
  const text& version() const { return version_; }
  const text& title() const { return title_; }
  const std::optional<text>& clipboard() const { return clipboard_; }

 private:
  void calculate() {
    text number_text;
    for (const char c : cards_) number_text += std::to_string(card_value(c)) + ",";
    auto [known, is_new] = calculated_.try_emplace(number_text);
    if (is_new) {
      text_list lines;
      find_equal_sum_pairs(number_text, lines);
      for (const text& line : lines) known->second.all_lines += display_line(line) + "\r\n";
      if (!lines.empty()) known->second.first_line = display_line(lines.front());
      known->second.version_line =
          gbk_from_utf8("版本：4.0 作者ID：Pellivar 可实现方案总数：" + std::to_string(lines.size()));
    }
    all_lines_ = known->second.all_lines;
    first_line_ = known->second.first_line;
    version_ = known->second.version_line;
  }

  std::vector<char> cards_;
  int limit_cards_ = 8;
  text title_, version_, all_lines_, first_line_;
  std::optional<text> clipboard_;
  std::map<text, model_results> calculated_;  // the same hand comes back often
};

// A typing style: how often each kind of key comes, and whether the typist
// likes to switch the mode when nine or ten cards are in (the over-full state).
struct typing_style {
  const char* name;
  std::uint32_t seed;
  int keys;
  int card, enter, esc, backspace, copy, odd_copy, switch_mode, idle, repeat;
  int switch_when_full;  // percent: keypad "+" at nine or ten cards in the ten-card mode
};

std::ostream& operator<<(std::ostream& out, const typing_style& s) {
  return out << s.name;
}

// clang-format off
const typing_style styles[] = {
    // name              seed   keys card enter esc back copy odd switch idle repeat full
    {"steady_player",     1, 20000,  60,    4,  3,   8,   6,  2,     3,   5,     3,  10},
    {"mode_switcher",     2, 20000,  45,    4,  2,   6,   5,  2,    20,   4,     4,  60},
    {"held_keys",         3, 15000,  40,    3,  3,   6,   4,  1,     4,   3,    30,  40},
    {"clumsy_fingers",    4, 20000,  30,    6,  4,  10,   8,  8,     6,  25,     5,  20},
    {"ten_card_fan",      5, 15000,  55,    5,  2,  10,   5,  1,     8,   2,     5,  80},
    {"copy_happy",        6, 10000,  40,    8,  4,   5,  30, 10,     4,   5,     3,  30},
};
// clang-format on

using random_typing = opened_window<testing::TestWithParam<typing_style>>;

struct key_press {
  int key, modifiers;
};

// Picks the next key press, and how many times it repeats while held.
key_press pick_key(std::mt19937& random, const typing_style& s, const typing_model& model, int& repeats) {
  auto below = [&](int n) { return static_cast<int>(random() % static_cast<std::uint32_t>(n)); };
  const int any_modifiers = below(8) < 6 ? 0 : below(8);
  repeats = below(100) < s.repeat ? 2 + below(14) : 1;
  if (model.limit_cards() == 10 && model.cards() >= 9 && below(100) < s.switch_when_full)
    return {107, any_modifiers};
  const int weights[] = {s.card, s.enter, s.esc, s.backspace, s.copy, s.odd_copy, s.switch_mode, s.idle};
  int total = 0;
  for (int w : weights) total += w;
  int pick = below(total), kind = 0;
  while (pick >= weights[kind]) pick -= weights[kind++];
  switch (kind) {
    case 0: {
      auto it = card_keys.begin();
      std::advance(it, below(static_cast<int>(card_keys.size())));
      return {it->first, any_modifiers};
    }
    case 1:
      return {13, any_modifiers};
    case 2:
      return {27, any_modifiers};
    case 3:
      return {8, any_modifiers};
    case 4:
      return {67, ctrl};
    case 5:
      return {67, std::vector<int>{0, shift, alt, ctrl | shift, ctrl | alt, ctrl | shift | alt}[below(6)]};
    case 6:
      return {107, any_modifiers};
    default:
      return {idle_keys[static_cast<std::size_t>(below(static_cast<int>(idle_keys.size())))], any_modifiers};
  }
}

TEST_P(random_typing, every_key_leaves_the_window_as_the_model_says) {
  const typing_style& style = GetParam();
  std::mt19937 random(style.seed);
  typing_model model;
  std::vector<std::string> history;  // the last keys, for the report
  int over_full_seen = 0, full_seen = 0, calculations = 0;

  for (int pressed = 0; pressed < style.keys;) {
    int repeats = 1;
    const key_press press = pick_key(random, style, model, repeats);
    for (int r = 0; r < repeats && pressed < style.keys; ++r, ++pressed) {
      clipboard.can_open = random() % 10 != 0;
      const text version_before = model.version();
      model.press(press.key, press.modifiers, clipboard.can_open);
      window.press_key(press.key, press.modifiers);
      if (model.version() != version_before || press.key == 13) ++calculations;
      history.push_back(std::to_string(press.key) + "/" + std::to_string(press.modifiers));
      if (history.size() > 12) history.erase(history.begin());

      std::ostringstream where;
      where << style.name << ", key " << pressed << ", last keys:";
      for (const std::string& h : history) where << " " << h;
      SCOPED_TRACE(where.str());
      ASSERT_EQ(window.caption(标签_不可视), model.buffer());
      ASSERT_EQ(window.caption(标签_输入窗口), model.input_line());
      ASSERT_EQ(window.caption(标签_输入窗口_合计), model.total());
      ASSERT_EQ(window.caption(标签_回馈数据), model.all_lines());
      ASSERT_EQ(window.caption(标签_回馈数据_副), model.first_line());
      ASSERT_EQ(window.caption(标签_说明), model.version());
      ASSERT_EQ(window.title(), model.title());
      ASSERT_EQ(buffer_limit, model.limit_cards() * 2);
      ASSERT_EQ(clipboard.holds_text, model.clipboard().has_value());
      if (model.clipboard()) {
        ASSERT_EQ(clipboard.contents, *model.clipboard());
      }
      // What the repaint drew is the final state: the busy text never shows.
      ASSERT_EQ(window.painted_caption(标签_回馈数据), model.all_lines());
      ASSERT_EQ(window.painted_caption(标签_回馈数据_副), model.first_line());
      ASSERT_EQ(window.painted_caption(标签_输入窗口_合计), model.total());

      if (model.cards() > model.limit_cards()) ++over_full_seen;
      if (model.cards() == model.limit_cards()) ++full_seen;
      // Between keys the strip goes on; held keys repeat quickly.
      window.advance(r + 1 < repeats ? 33 : static_cast<std::int64_t>(random() % 700));
    }
  }
  // The sequence went where it was meant to go.
  EXPECT_GT(full_seen, 0);
  EXPECT_GT(calculations, 0);
  if (style.switch_when_full >= 40) {
    EXPECT_GT(over_full_seen, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(styles, random_typing, testing::ValuesIn(styles),
                         [](const testing::TestParamInfo<typing_style>& info) { return info.param.name; });

}  // namespace
}  // namespace calc
