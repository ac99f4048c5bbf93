// The product's pair search and calculation against the step-by-step oracle,
// byte for byte, on known hands and on a few hundred random ones.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "notation/card_text.h"
#include "notation/gbk.h"
#include "reference_solver.h"
#include "solver/combinations.h"
#include "solver/pair_search.h"
#include "tests/known_hands.h"
#include "window/calculation.h"

namespace calc {
namespace {

class differential : public testing::Test {
 protected:
  void SetUp() override { combo_slots = make_integer_list(combo_slot_count); }
  void TearDown() override { combo_slots = integer_list(); }
};

text_list oracle_lines(const text& number_text) {
  text_list lines{"left over"};
  reference::find_equal_sum_pairs(number_text, lines);
  return lines;
}

text_list product_lines(const text& number_text) {
  text_list lines{"left over"};
  find_equal_sum_pairs(number_text, lines);
  return lines;
}

// The oracle itself, on hands whose results are known line by line.
TEST_F(differential, oracle_gives_the_known_lines) {
  for (const known_hand& hand : known_hands) EXPECT_EQ(oracle_lines(hand.cards), hand.lines) << hand.cards;
}

TEST_F(differential, oracle_gives_the_known_counts_and_first_lines) {
  for (const known_count& hand : known_counts) {
    const text_list lines = oracle_lines(hand.cards);
    ASSERT_EQ(lines.size(), hand.count) << hand.cards;
    for (std::size_t i = 0; i < hand.first_lines.size(); ++i)
      EXPECT_EQ(lines[i], hand.first_lines[i]) << hand.cards;
  }
}

struct known_run {
  text buffer;
  text all_lines, first_line, count;
};

TEST_F(differential, oracle_calculation_writes_display_notation_and_the_count) {
  const known_run runs[] = {
      {"", "", "", "0"},
      {"7,", "", "", "0"},
      {"3,N,K,", "10+3 = K\r\n", "10+3 = K", "1"},
      {"1,J,Q,", "J+1 = Q\r\n", "J+1 = Q", "1"},
      {"5,5,5,5,", "5+5 = 5+5\r\n5 = 5\r\n", "5+5 = 5+5", "2"},
  };
  for (const known_run& run : runs) {
    const reference::captions out = reference::run_calculation(run.buffer);
    EXPECT_EQ(out.all_lines, run.all_lines) << run.buffer;
    EXPECT_EQ(out.first_line, run.first_line) << run.buffer;
    EXPECT_EQ(out.version_line, gbk_from_utf8("版本：4.0 作者ID：Pellivar 可实现方案总数：" + run.count))
        << run.buffer;
  }
}

// A random hand in buffer form. Most hands are short, so that the oracle stays
// quick under the sanitizers too; a small alphabet of ranks brings repeats.
text random_hand(std::mt19937& rng, std::int32_t cards) {
  static const char* const tokens[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "N", "J", "Q", "K"};
  const std::uint32_t alphabets[] = {1, 2, 3, 5, 13, 13};
  const std::uint32_t alphabet = alphabets[rng() % 6];
  const std::uint32_t offset = rng() % (14 - alphabet);
  text hand;
  for (std::int32_t c = 0; c < cards; ++c) hand.append(tokens[offset + rng() % alphabet]).push_back(',');
  return hand;
}

TEST_F(differential, random_hands_give_the_oracles_lines_and_captions) {
  std::mt19937 rng(20240611);
  std::vector<text> hands;
  for (int i = 0; i < 300; ++i) hands.push_back(random_hand(rng, static_cast<std::int32_t>(rng() % 8)));
  for (int i = 0; i < 20; ++i) hands.push_back(random_hand(rng, 8));
  for (int i = 0; i < 4; ++i) hands.push_back(random_hand(rng, 9));
  for (int i = 0; i < 4; ++i) hands.push_back(random_hand(rng, 10));

  std::int32_t with_lines = 0;
  for (const text& hand : hands) {
    // The search also takes a hand with a leading comma or without the trailing one.
    text number_text = convert_card_text(hand, 0);
    if (rng() % 4 == 0) number_text = "," + number_text;
    if (rng() % 4 == 0 && !number_text.empty()) number_text.pop_back();
    const text_list expected = oracle_lines(number_text);
    ASSERT_EQ(product_lines(number_text), expected) << number_text;
    with_lines += expected.empty() ? 0 : 1;

    const reference::captions oracle = reference::run_calculation(hand);
    const calculation_captions product = calculate(hand);
    ASSERT_EQ(product.all_lines, oracle.all_lines) << hand;
    ASSERT_EQ(product.first_line, oracle.first_line) << hand;
    ASSERT_EQ(product.version_line, oracle.version_line) << hand;
    EXPECT_EQ(product.count, static_cast<std::int32_t>(expected.size())) << hand;
  }
  // The hands must exercise the search, not only its empty answer.
  EXPECT_GT(with_lines, 150);
}

// Card texts that the window never produces still get the oracle's lines:
// texts with signs, blanks, empty cards, leading zeros and two-byte characters.
TEST_F(differential, odd_card_texts_give_the_oracles_lines) {
  const text hands[] = {
      "1+1,2,",
      "1,1,2,1+1,",
      "1+,+1,2,",
      " 7,7,",
      "01,1,2,",
      ",,",
      "1,,1,",
      ",,2,2,,",
      "x,0,y,",
      "1 = 1,2,1,1,",
      "\xB0\xA1,\xB0\xA1,",
      "1,\xB0\xA1,1,",
      "13,13,13,1",
      "5,-5,0,",
      "+1,1, 1,1 ,",
      "2,1+,1,+1,2,",
  };
  for (const text& hand : hands) EXPECT_EQ(product_lines(hand), oracle_lines(hand)) << hand;
}

text plain_display_notation(const text& number_text) {
  return replace_all(convert_card_text(number_text, 1), "N", "10");
}

// Display notation in one pass against the replacements one by one.
TEST(display_notation, equals_the_replacements_one_by_one) {
  const text texts[] = {
      "",
      "10+3 = 13",
      "1+12 = 13\r\n",
      "110",
      "113",
      "1011",
      "N,10,J,",
      "n,N,1N,",
      "1",
      "13",
      "131",
      "0,00,",
      "9+11 = 20",
      "\xB0\xA1"
      "10",
      "11\xB0\xA1",
      "1\xB0"
      "13",
      "12N13,1",
      "\xA1",
  };
  for (const text& t : texts) EXPECT_EQ(to_display_notation(t), plain_display_notation(t)) << t;

  std::mt19937 rng(7);
  const char alphabet[] = "0111123NNJ+ =,\r\n\xB0\xA1";
  for (int i = 0; i < 3000; ++i) {
    text t;
    for (std::uint32_t length = rng() % 14; length > 0; --length)
      t.push_back(alphabet[rng() % (sizeof alphabet - 1)]);
    ASSERT_EQ(to_display_notation(t), plain_display_notation(t)) << t;
  }
}

}  // namespace
}  // namespace calc
