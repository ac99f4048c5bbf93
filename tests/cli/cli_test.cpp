// card-pairs: its hand parser, and the program run as a process.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/hand.h"

namespace calc {
namespace {

using arguments = std::vector<std::string>;

struct good_hand {
  arguments hand;
  text buffer;
};

TEST(parse_hand, turns_good_hands_into_buffer_form) {
  const good_hand hands[] = {
      {{"3,N,K,"}, "3,N,K,"},
      {{"3 10 k"}, "3,N,K,"},
      {{"3", "10", "k"}, "3,N,K,"},
      {{"3,", "N,", "K,"}, "3,N,K,"},
      {{"3 ,n", ",", "K , "}, "3,N,K,"},
      {{"a,j\tq,K,n,0,10,9"}, "1,J,Q,K,N,N,N,9,"},
      {{"A J Q K N"}, "1,J,Q,K,N,"},
      {{"1 2 3 4 5 6 7 8 9 10"}, "1,2,3,4,5,6,7,8,9,N,"},
      {{"5"}, "5,"},
      {{""}, ""},
      {{" ", "\t\n"}, ""},
      {{}, ""},
  };
  for (const good_hand& h : hands) {
    const parsed_hand parsed = parse_hand(h.hand);
    EXPECT_TRUE(parsed.ok()) << testing::PrintToString(h.hand) << ": " << parsed.error;
    EXPECT_EQ(parsed.buffer, h.buffer) << testing::PrintToString(h.hand);
  }
}

struct bad_hand {
  arguments hand;
  std::string named;  // what the error must name
};

TEST(parse_hand, names_the_offending_token_of_a_bad_hand) {
  const bad_hand hands[] = {
      {{"3,11"}, "\"11\" is not a card"},
      {{"1O"}, "\"1O\" is not a card"},
      {{"3N,4"}, "\"3N\" is not a card"},
      {{"00"}, "\"00\" is not a card"},
      {{"010"}, "\"010\" is not a card"},
      {{"ace"}, "\"ace\" is not a card"},
      {{"x"}, "\"x\" is not a card"},
      {{"-1"}, "\"-1\" is not a card"},
      {{"+3"}, "\"+3\" is not a card"},
      {{"2;3"}, "\"2;3\" is not a card"},
      {{"\xA3\xB3"}, "\"\xA3\xB3\" is not a card"},
      {{"3", "--count"}, "\"--count\" is not a card"},
      // A bad card is named even where the hand is also too long.
      {{"1 2 3 4 5 6 7 8 9 10 J Z"}, "\"Z\" is not a card"},
      {{"3,,4"}, "\",\" without a card before it in \"3,,4\""},
      {{",3"}, "\",\" without a card before it in \",3\""},
      {{","}, "\",\" without a card before it in \",\""},
      {{"3,", ",4"}, "\",\" without a card before it in \"3, ,4\""},
      {{"1 2 3 4 5 6 7 8 9 10 J"}, "more than ten cards (11 given)"},
      {{"K,K,K,K,K,K,K,K,K,K,", "K", "K"}, "more than ten cards (12 given)"},
  };
  for (const bad_hand& h : hands) {
    const parsed_hand parsed = parse_hand(h.hand);
    EXPECT_FALSE(parsed.ok()) << testing::PrintToString(h.hand);
    EXPECT_NE(parsed.error.find(h.named), std::string::npos) << parsed.error;
    EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << parsed.error;
    EXPECT_EQ(parsed.buffer, "") << testing::PrintToString(h.hand);
  }
}

// What a run of card-pairs left behind.
struct run_result {
  std::string out, err;
  int status = -1;
};

std::string read_all(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

run_result run_card_pairs(const arguments& args) {
  std::string dir_name = (std::filesystem::temp_directory_path() / "card-pairs-test-XXXXXX").string();
  if (mkdtemp(dir_name.data()) == nullptr) std::abort();
  const std::filesystem::path dir = dir_name;
  const std::string out_file = (dir / "out").string(), err_file = (dir / "err").string();
  std::vector<std::string> argv_texts{CARD_PAIRS_PROGRAM};
  argv_texts.insert(argv_texts.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argv_texts) argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, err_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid = 0;
  run_result result;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int wait_status = 0;
    if (waitpid(pid, &wait_status, 0) == pid && WIFEXITED(wait_status))
      result.status = WEXITSTATUS(wait_status);
  }
  posix_spawn_file_actions_destroy(&actions);
  result.out = read_all(out_file);
  result.err = read_all(err_file);
  std::filesystem::remove_all(dir);
  return result;
}

struct program_case {
  arguments args;
  std::string out;
  int status;
  std::string err;  // a part of the single line on standard error; empty: nothing there
};

TEST(card_pairs_program, prints_lines_counts_and_errors) {
  const std::string kings = "K+K+K+K+K = K+K+K+K+K\nK+K+K+K = K+K+K+K\nK+K+K = K+K+K\nK+K = K+K\nK = K\n";
  const program_case cases[] = {
      {{"3,N,K,"}, "10+3 = K\n", 0, ""},
      {{"3 10 k"}, "10+3 = K\n", 0, ""},
      {{"3", "10", "k"}, "10+3 = K\n", 0, ""},
      {{"j", "A", "q"}, "1+J = Q\n", 0, ""},
      {{"1,2,3,4"}, "3+2 = 4+1\n4+1 = 3+2\n2+1 = 3\n3+1 = 4\n", 0, ""},
      {{"--", "5 5 5 5"}, "5+5 = 5+5\n5 = 5\n", 0, ""},
      {{"K,K,K,K,K,K,K,K,K,K,"}, kings, 0, ""},
      {{"--count", "3,N,K,"}, "1\n", 0, ""},
      {{"--count", "--", "1 2 3 4 5 6 7 8 9 10"}, "929\n", 0, ""},
      {{"2 4 6"}, "4+2 = 6\n", 0, ""},
      {{"1 2 4 8"}, "", 0, ""},
      {{""}, "", 0, ""},
      {{"--count", ""}, "0\n", 0, ""},
      {{"--count", "7"}, "0\n", 0, ""},
      {{"--version"}, "card-pairs " EXPECTED_VERSION "\n", 0, ""},
      {{}, "", 2, "usage: card-pairs"},
      {{"--count"}, "", 2, "usage: card-pairs"},
      {{"--"}, "", 2, "usage: card-pairs"},
      {{"3,11"}, "", 2, "card-pairs: \"11\" is not a card"},
      {{"3,,4"}, "", 2, "card-pairs: \",\" without a card before it"},
      {{"1 2 3 4 5 6 7 8 9 10 J"}, "", 2, "card-pairs: more than ten cards"},
      {{"3", "--count"}, "", 2, "card-pairs: \"--count\" is not a card"},
      {{"--", "--count"}, "", 2, "card-pairs: \"--count\" is not a card"},
      {{"--bogus", "3"}, "", 2, "card-pairs: unknown option \"--bogus\""},
      {{"-5"}, "", 2, "card-pairs: unknown option \"-5\""},
  };
  for (const program_case& c : cases) {
    const run_result r = run_card_pairs(c.args);
    const std::string which = testing::PrintToString(c.args);
    EXPECT_EQ(r.status, c.status) << which;
    EXPECT_EQ(r.out, c.out) << which;
    if (c.err.empty()) {
      EXPECT_EQ(r.err, "") << which;
    } else {
      EXPECT_NE(r.err.find(c.err), std::string::npos) << which << ": " << r.err;
      EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << which << ": not one line: " << r.err;
    }
  }
}

TEST(card_pairs_program, shows_the_window_s_lines_in_its_order) {
  const run_result eight = run_card_pairs({"2 4 6 8 10 Q 1 3"});
  EXPECT_EQ(eight.status, 0);
  EXPECT_TRUE(eight.out.starts_with("1+10+6+4+2 = 3+Q+8\n")) << eight.out;
  const run_result counted = run_card_pairs({"--count", "2,4,6,8,N,Q,1,3,"});
  EXPECT_EQ(counted.out, "111\n");
  EXPECT_EQ(static_cast<std::size_t>(std::count(eight.out.begin(), eight.out.end(), '\n')), 111u);
  EXPECT_EQ(eight.out.find('\r'), std::string::npos);

  const run_result ten = run_card_pairs({"1", "2", "3", "4", "5", "6", "7", "8", "9", "N"});
  EXPECT_TRUE(ten.out.starts_with("7+6+4+3+2+1 = 10+8+5\n")) << ten.out.substr(0, 100);
  EXPECT_EQ(static_cast<std::size_t>(std::count(ten.out.begin(), ten.out.end(), '\n')), 929u);
}

TEST(card_pairs_program, help_explains_the_hand_and_the_options) {
  const run_result r = run_card_pairs({"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  for (const char* part : {"usage: card-pairs", "--count", "--version", "--", "HAND", "3,N,K,", "ace"}) {
    EXPECT_NE(r.out.find(part), std::string::npos) << part;
  }
}

}  // namespace
}  // namespace calc
