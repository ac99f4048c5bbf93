#include <gtest/gtest.h>

#include <random>

#include "notation/card_text.h"
#include "notation/gbk.h"
#include "notation/text.h"

namespace calc {
namespace {

struct split_case {
  text input, separator;
  text_list pieces;
};

TEST(split_at, keeps_empty_pieces_but_no_empty_last_piece) {
  const split_case cases[] = {
      {"1,2,", ",", {"1", "2"}},
      {"1,2", ",", {"1", "2"}},
      {"", ",", {}},
      {",", ",", {""}},
      {",1", ",", {"", "1"}},
      {"1,,2", ",", {"1", "", "2"}},
      {"12", ",", {"12"}},
      {"a, b, c", ", ", {"a", "b", "c"}},
      {"abc", "", {"abc"}},
      {"", "", {}},
      // A separator is never found at the second byte of a two-byte character.
      {"\xB0,1,2", ",", {"\xB0,1", "2"}},
      // A lead byte cut off at the end counts as one character.
      {"1,\xB0", ",", {"1", "\xB0"}},
      {"\xB0", ",", {"\xB0"}},
  };
  for (const split_case& c : cases) EXPECT_EQ(split_at(c.input, c.separator), c.pieces) << c.input;
}

struct replace_case {
  text input, find, replacement, expected;
};

TEST(replace_all, replaces_without_overlap_and_without_searching_replacements) {
  const replace_case cases[] = {
      {"111", "11", "J", "J1"},
      {"1111", "11", "J", "JJ"},
      {"1+ = 2+", "+ = ", " = ", "1 = 2+"},
      {"n,N,", "N", "10", "n,10,"},
      {"", "N", "10", ""},
      {"abc", "x", "y", "abc"},
      {"abc", "", "y", "abc"},
      {"aaa", "a", "aa", "aaaaaa"},
      {"ab", "abc", "x", "ab"},
      // "\xB0\xAA" is one character: "\xAA" is never matched inside it.
      {"\xB0\xAA\xAA", "\xAA", "x", "\xB0\xAAx"},
      {"\xB0\xAA", "\xB0\xAA", "x", "x"},
      // A cut-off lead byte at the end is copied, never read past.
      {"12\xB0", "2", "x", "1x\xB0"},
      {"1\xB0", "\xB0", "x", "1x"},
      {"\xB0", "\xB0\xAA", "x", "\xB0"},
  };
  for (const replace_case& c : cases)
    EXPECT_EQ(replace_all(c.input, c.find, c.replacement), c.expected) << c.input;
}

// Plain, character-by-character versions of the scans, as the rules state
// them; the product's word-at-a-time scans must agree with them everywhere.
std::size_t plain_character_length(const text& t, std::size_t i) {
  return static_cast<unsigned char>(t[i]) >= 0x80 && i + 1 < t.size() ? 2 : 1;
}

text plain_replace_all(const text& t, const text& find, const text& replacement) {
  if (t.empty() || find.empty()) return t;
  text out;
  std::size_t i = 0;
  while (i < t.size()) {
    if (t.size() - i < find.size()) {
      out += t.substr(i);
      break;
    }
    if (t.compare(i, find.size(), find) == 0) {
      out += replacement;
      i += find.size();
    } else {
      out += t.substr(i, plain_character_length(t, i));
      i += plain_character_length(t, i);
    }
  }
  return out;
}

text_list plain_split_at(const text& t, const text& separator) {
  if (t.empty()) return {};
  if (separator.empty()) return {t};
  text_list pieces;
  std::size_t start = 0, i = 0;
  while (i < t.size() && t.size() - i >= separator.size()) {
    if (t.compare(i, separator.size(), separator) == 0) {
      pieces.push_back(t.substr(start, i - start));
      i += separator.size();
      start = i;
    } else {
      i += plain_character_length(t, i);
    }
  }
  if (start < t.size()) pieces.push_back(t.substr(start));
  return pieces;
}

text plain_convert(const text& t, std::int32_t direction) {
  const char* const steps[2][4][2] = {{{"N", "10"}, {"J", "11"}, {"Q", "12"}, {"K", "13"}},
                                      {{"10", "N"}, {"11", "J"}, {"12", "Q"}, {"13", "K"}}};
  text r = t;
  for (const auto& step : steps[direction == 1 ? 1 : 0]) r = plain_replace_all(r, step[0], step[1]);
  return r;
}

TEST(text_scans, agree_with_the_character_by_character_rules_on_random_texts) {
  std::mt19937 random(20261211);
  const std::string alphabet = "01234NJQK,+= \r\n\xB0\xAA";
  auto random_text = [&](std::size_t longest) {
    text t(random() % (longest + 1), ' ');
    for (char& c : t) c = alphabet[random() % alphabet.size()];
    return t;
  };
  const text finds[] = {",", "+ = ", "10", "N", "\r\n", "\xB0", "\xAA\xAA", "1111111111", "= ", "K,"};
  for (int round = 0; round < 3000; ++round) {
    const text t = random_text(round % 10 == 0 ? 200 : 40);
    const text& find = finds[random() % std::size(finds)];
    const text replacement = random_text(3);
    const text expected = plain_replace_all(t, find, replacement);
    ASSERT_EQ(replace_all(t, find, replacement), expected) << t << " / " << find;
    ASSERT_EQ(replace_all(text(t), find, replacement), expected) << t << " / " << find;
    ASSERT_EQ(split_at(t, find), plain_split_at(t, find)) << t << " / " << find;
    ASSERT_EQ(convert_card_text(t, 0), plain_convert(t, 0)) << t;
    ASSERT_EQ(convert_card_text(t, 1), plain_convert(t, 1)) << t;
    ASSERT_EQ(to_display_notation(t), plain_replace_all(plain_convert(t, 1), "N", "10")) << t;
  }
}

TEST(to_integer, reads_sign_and_leading_digits) {
  const std::pair<text, std::int32_t> cases[] = {
      {"13", 13},
      {"", 0},
      {"J", 0},
      {" 7", 7},
      {"-3", -3},
      {"+4", 4},
      {"12,", 12},
      {"\t\n\v\f\r 5", 5},
      {"+", 0},
      {"- 3", 0},
      {"0010", 10},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
  };
  for (const auto& [input, value] : cases) EXPECT_EQ(to_integer(input), value) << input;
}

TEST(integer_to_text, writes_plain_decimal) {
  EXPECT_EQ(integer_to_text(0), "0");
  EXPECT_EQ(integer_to_text(130), "130");
  EXPECT_EQ(integer_to_text(-5), "-5");
  EXPECT_EQ(integer_to_text(-2147483647 - 1), "-2147483648");
}

TEST(left_and_right_part, clamp_lengths) {
  EXPECT_EQ(left_part("", -2), "");
  EXPECT_EQ(left_part("1,N,", 2), "1,");
  EXPECT_EQ(left_part("ab", 5), "ab");
  EXPECT_EQ(left_part("ab", 0), "");
  EXPECT_EQ(right_part(",1,2", 3), "1,2");
  EXPECT_EQ(right_part("ab", 0), "");
  EXPECT_EQ(right_part("ab", -1), "");
  EXPECT_EQ(right_part("ab", 9), "ab");
}

TEST(compare_texts, orders_bytes_unsigned_and_prefixes_first) {
  EXPECT_EQ(compare_texts("", ""), 0);
  EXPECT_EQ(compare_texts("abc", "abc"), 0);
  EXPECT_LT(compare_texts("ab", "abc"), 0);
  EXPECT_GT(compare_texts("abc", "ab"), 0);
  EXPECT_LT(compare_texts("a", "\xB0"), 0);  // 0xB0 sorts after 'a' as an unsigned byte
  EXPECT_NE(compare_texts("A", "a"), 0);
  EXPECT_NE(compare_texts("a", "a "), 0);
}

TEST(other_operations, behave_at_the_edges) {
  EXPECT_EQ(truncating_divide(7, 2), 3);
  EXPECT_EQ(truncating_divide(1, 2), 0);
  EXPECT_EQ(truncating_divide(-7, 2), -3);
  EXPECT_EQ(byte_length("\xB0\xAA"
                        "a"),
            3);
  EXPECT_EQ(concatenate("", "a", ""), "a");
  EXPECT_EQ(concatenate("a", "b"), "ab");
}

TEST(lists, remove_copy_and_clear) {
  text_list list{"a", "b", "c", "d"};
  list_remove_at(list, 3);
  list_remove_at(list, 1);
  EXPECT_EQ(list, (text_list{"b", "d"}));
  list_remove_at(list, 0);
  list_remove_at(list, 3);
  EXPECT_EQ(list, (text_list{"b", "d"}));

  text_list copy = list_copy(list);
  list_at(copy, 1) = "x";
  list_append(copy, "y");
  EXPECT_EQ(list, (text_list{"b", "d"}));
  EXPECT_EQ(copy, (text_list{"x", "d", "y"}));
  list_clear(copy);
  EXPECT_EQ(list_count(copy), 0);

  EXPECT_EQ(make_text_list(2), (text_list{"", ""}));
  EXPECT_EQ(make_integer_list(3), (integer_list{0, 0, 0}));
}

TEST(list_at_death, position_below_one_ends_the_process) {
  text_list list{"a"};
  EXPECT_EXIT(list_at(list, 0), testing::ExitedWithCode(EXIT_FAILURE), "below 1");
}

TEST(list_at_death, position_beyond_the_count_ends_the_process) {
  integer_list list = make_integer_list(100);
  EXPECT_EXIT(list_at(list, 101), testing::ExitedWithCode(EXIT_FAILURE), "beyond the defined range");
}

TEST(copy_to_clipboard, reports_honestly) {
  set_clipboard_writer(nullptr);
  EXPECT_FALSE(copy_to_clipboard("x"));
  text held;
  bool open = true;
  set_clipboard_writer([&](const text& t) {
    if (!open) return false;
    held = t;
    return true;
  });
  EXPECT_TRUE(copy_to_clipboard("10+3 = K"));
  EXPECT_EQ(held, "10+3 = K");
  EXPECT_TRUE(copy_to_clipboard(""));
  EXPECT_EQ(held, "");
  open = false;
  EXPECT_FALSE(copy_to_clipboard("y"));
  EXPECT_EQ(held, "");
  set_clipboard_writer(nullptr);
}

struct convert_case {
  text input;
  std::int32_t direction;
  text expected;
};

TEST(convert_card_text, converts_between_letters_and_numbers) {
  const convert_case cases[] = {
      {"1,N,J,Q,K,", 0, "1,10,11,12,13,"},
      {"1,10,J,", 0, "1,10,11,"},
      {"", 0, ""},
      {"N,K,", 2, "10,13,"},
      {"1,10,11,12,13,", 1, "1,N,J,Q,K,"},
      {"10+3 = 13", 1, "N+3 = K"},
      {"1+12 = 13", 1, "1+Q = K"},
      {"110", 1, "1N"},
      {"113", 1, "J3"},
      {"1011", 1, "NJ"},
  };
  for (const convert_case& c : cases)
    EXPECT_EQ(convert_card_text(c.input, c.direction), c.expected) << c.input;
  EXPECT_EQ(to_display_notation("10+3 = 13"), "10+3 = K");
  EXPECT_EQ(to_display_notation("10+1 = 11\r\n5 = 5\r\n"), "10+1 = J\r\n5 = 5\r\n");
}

TEST(gbk, converts_both_ways) {
  const text gbk = gbk_from_utf8("版本：4.1");
  EXPECT_EQ(gbk,
            "\xB0\xE6\xB1\xBE\xA3\xBA"
            "4.1");
  EXPECT_EQ(utf8_from_gbk(gbk), "版本：4.1");
  EXPECT_EQ(utf8_from_gbk("a\xB0"), "a\xEF\xBF\xBD");  // a cut-off character is replaced
  EXPECT_EQ(gbk_from_utf8(""), "");
}

}  // namespace
}  // namespace calc
