#include <gtest/gtest.h>

#include "solver/combinations.h"
#include "solver/ordering.h"
#include "solver/pair_search.h"
#include "tests/known_hands.h"

namespace calc {
namespace {

class solver : public testing::Test {
 protected:
  void SetUp() override { combo_slots = make_integer_list(combo_slot_count); }
  void TearDown() override { combo_slots = integer_list(); }

  static text_list choices(std::int32_t n, std::int32_t k, text_list out = {}) {
    combo_size = k;
    generate_combinations(n, k, out);
    return out;
  }
};

TEST_F(solver, generator_lists_choices_largest_position_first) {
  EXPECT_EQ(choices(4, 1), (text_list{"4", "3", "2", "1"}));
  EXPECT_EQ(choices(4, 2), (text_list{"4,3", "4,2", "4,1", "3,2", "3,1", "2,1"}));
  EXPECT_EQ(choices(4, 3), (text_list{"4,3,2", "4,3,1", "4,2,1", "3,2,1"}));
  EXPECT_EQ(choices(5, 5), (text_list{"5,4,3,2,1"}));
  EXPECT_EQ(choices(2, 3), text_list{});
  EXPECT_EQ(choices(0, 1), text_list{});
  const text_list ten_two = choices(10, 2);
  EXPECT_EQ(ten_two.size(), 45u);
  EXPECT_EQ(ten_two.front(), "10,9");
  EXPECT_EQ(ten_two[1], "10,8");
  EXPECT_EQ(ten_two.back(), "2,1");
  EXPECT_EQ(choices(10, 5).size(), 252u);
}

TEST_F(solver, generator_appends_behind_what_the_list_holds) {
  EXPECT_EQ(choices(2, 1, {"x"}), (text_list{"x", "2", "1"}));
}

TEST_F(solver, generator_level_outside_the_slots_is_fatal) {
  EXPECT_EXIT(choices(3, 0), testing::ExitedWithCode(EXIT_FAILURE), "below 1");
  EXPECT_EXIT(choices(101, 101), testing::ExitedWithCode(EXIT_FAILURE), "beyond");
}

TEST(ordering, sorts_stably_by_length) {
  const text_list lines{"3+1 = 4", "2+1 = 3", "4+1 = 3+2", "3+2 = 4+1", "3+1 = 4", "2+1 = 3"};
  text_list ascending = lines;
  sort_lines_by_length(ascending, 0);
  EXPECT_EQ(ascending, (text_list{"3+1 = 4", "2+1 = 3", "3+1 = 4", "2+1 = 3", "4+1 = 3+2", "3+2 = 4+1"}));
  text_list descending = lines;
  sort_lines_by_length(descending, 1);
  EXPECT_EQ(descending, (text_list{"3+2 = 4+1", "4+1 = 3+2", "2+1 = 3", "3+1 = 4", "2+1 = 3", "3+1 = 4"}));
  remove_duplicate_lines(descending);
  EXPECT_EQ(descending, (text_list{"3+2 = 4+1", "4+1 = 3+2", "2+1 = 3", "3+1 = 4"}));

  text_list other{"x", std::string(1000, 'y'), "zz"};
  sort_lines_by_length(other, 2);  // only exactly 1 reverses
  EXPECT_EQ(other, (text_list{"x", "zz", std::string(1000, 'y')}));
  text_list empty;
  sort_lines_by_length(empty, 1);
  EXPECT_TRUE(empty.empty());
}

TEST(ordering, lines_without_a_length_row_are_fatal) {
  text_list with_empty{"a", ""};
  EXPECT_EXIT(sort_lines_by_length(with_empty, 1), testing::ExitedWithCode(EXIT_FAILURE), "below 1");
  text_list too_long{std::string(1001, 'a')};
  EXPECT_EXIT(sort_lines_by_length(too_long, 1), testing::ExitedWithCode(EXIT_FAILURE), "beyond");
}

TEST(ordering, reverses_and_removes_repeats) {
  text_list odd{"a", "bb", "c", "dd", "e"};
  reverse_list(odd);
  EXPECT_EQ(odd, (text_list{"e", "dd", "c", "bb", "a"}));
  text_list even{"a", "bb", "c", "dd"};
  reverse_list(even);
  EXPECT_EQ(even, (text_list{"dd", "c", "bb", "a"}));
  text_list one{"a"};
  reverse_list(one);
  EXPECT_EQ(one, text_list{"a"});

  text_list repeats{"b", "a", "b", "c", "a"};
  remove_duplicate_lines(repeats);
  EXPECT_EQ(repeats, (text_list{"b", "a", "c"}));
  text_list fives{"5 = 5", "5 = 5"};
  remove_duplicate_lines(fives);
  EXPECT_EQ(fives, text_list{"5 = 5"});
}

TEST(ordering, find_line_is_exact) {
  const text_list lines{"a", "A", "a ", "a"};
  EXPECT_EQ(find_line({}, "a"), -1);
  EXPECT_EQ(find_line(lines, "a"), 1);
  EXPECT_EQ(find_line(lines, "A"), 2);
  EXPECT_EQ(find_line(lines, "a "), 3);
  EXPECT_EQ(find_line(lines, "b"), -1);
}

TEST(pair_lines, format_and_total) {
  EXPECT_EQ(format_pair_line({"2", "1"}, {"3"}), "2+1 = 3");
  EXPECT_EQ(format_pair_line({"3"}, {"2", "1"}), "2+1 = 3");
  EXPECT_EQ(format_pair_line({"3", "2"}, {"4", "1"}), "3+2 = 4+1");
  EXPECT_EQ(format_pair_line({"13"}, {"13"}), "13 = 13");
  // Texts that are no card values still follow the steps: join with "+",
  // turn every "+ = " into " = ", drop the last byte.
  EXPECT_EQ(format_pair_line({"1"}, {}), "1 =");
  EXPECT_EQ(format_pair_line({"a+ = b"}, {"c"}), "a = b = c");
  EXPECT_EQ(format_pair_line({"\xB0"}, {"1"}), "\xB0+ = 1");  // the "+" is the second byte of a character
  EXPECT_EQ(group_total({}), 0);
  EXPECT_EQ(group_total({"10", "3", "x"}), 13);
}

TEST_F(solver, search_lists_every_equal_pair_longest_first) {
  for (const known_hand& c : known_hands) {
    text_list result{"left over"};
    find_equal_sum_pairs(c.cards, result);
    EXPECT_EQ(result, c.lines) << c.cards;
  }
}

TEST_F(solver, search_counts_and_first_lines_of_full_hands) {
  for (const known_count& c : known_counts) {
    text_list result;
    find_equal_sum_pairs(c.cards, result);
    ASSERT_EQ(result.size(), c.count) << c.cards;
    for (std::size_t i = 0; i < c.first_lines.size(); ++i) EXPECT_EQ(result[i], c.first_lines[i]) << c.cards;
  }
}

TEST_F(solver, search_leaves_its_input_alone_and_keeps_texts_as_given) {
  const text hand = "1,01,2,";
  text_list result;
  find_equal_sum_pairs(hand, result);
  EXPECT_EQ(hand, "1,01,2,");
  // "1" and "01" are worth the same but write different lines.
  EXPECT_EQ(result, (text_list{"01+1 = 2", "1 = 01", "01 = 1"}));
}

TEST_F(solver, search_beyond_sixteen_cards_is_fatal) {
  text hand;
  for (int i = 0; i < 17; ++i) hand += "1,";
  text_list result;
  EXPECT_EXIT(find_equal_sum_pairs(hand, result), testing::ExitedWithCode(EXIT_FAILURE), "beyond");
}

}  // namespace
}  // namespace calc
