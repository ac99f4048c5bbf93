// Card entry and key commands. The card buffer is the caption of the hidden
// label; every command reads it afresh and writes it back.
#include "notation/card_text.h"
#include "window/fixed_texts.h"
#include "window/program.h"
#include "window/view.h"

namespace calc {
namespace {

using enum control;

void write_results(const text& caption) {
  write_caption(标签_回馈数据, caption);
  write_caption(标签_回馈数据_副, caption);
}

}  // namespace

std::int32_t buffer_limit = 0;

void handle_key_down(std::int32_t key_code, std::int32_t modifier_state) {
  if (key_code == 13) {
    write_results(fixed_texts().busy);
    run_calculation();
  } else if (key_code == 27) {
    clear_cards();
    write_results(text());
  } else if (key_code == 8) {
    delete_last_card();
    write_results(text());
  } else if (key_code == 48) {
    append_card("N,");
  } else if (key_code >= 49 && key_code <= 57) {
    append_card(text{static_cast<char>(key_code), ','});
  } else if (key_code == 74 || key_code == 191) {
    append_card("J,");
  } else if (key_code == 81 || key_code == 106) {
    append_card("Q,");
  } else if (key_code == 75 || key_code == 189) {
    append_card("K,");
  } else if (key_code == 67 && modifier_state == 1) {
    copy_to_clipboard(read_caption(标签_回馈数据_副));
  } else if (key_code == 107) {
    switch_card_mode();
  }
}

void switch_card_mode() {
  if (buffer_limit == eight_card_limit) {
    buffer_limit = ten_card_limit;
    write_title(fixed_texts().title_ten_cards);
  } else {
    buffer_limit = eight_card_limit;
    write_title(fixed_texts().title_eight_cards);
  }
}

void append_card(const text& token) {
  const text buffer = read_caption(标签_不可视);
  if (byte_length(buffer) < buffer_limit) write_caption(标签_不可视, concatenate(buffer, token));
  // Not tied to the append: a card key on a full buffer calculates again.
  if (byte_length(read_caption(标签_不可视)) == buffer_limit) {
    write_results(fixed_texts().busy);
    run_calculation();
  }
  refresh_input_display(read_caption(标签_不可视));
}

void delete_last_card() {
  const text buffer = read_caption(标签_不可视);
  write_caption(标签_不可视, left_part(buffer, byte_length(buffer) - 2));
  refresh_input_display(read_caption(标签_不可视));
}

void clear_cards() {
  write_caption(标签_不可视, text());
  refresh_input_display(read_caption(标签_不可视));
}

void refresh_input_display(const text& buffer_text) {
  const text display_text = replace_all(buffer_text, "N", "10");
  write_caption(标签_输入窗口, display_text);
  show_card_total(convert_card_text(display_text, 0));
  if (compare_texts(buffer_text, "") == 0) {
    // An empty buffer shows no "=0".
    write_caption(标签_输入窗口, text());
    write_caption(标签_输入窗口_合计, text());
  }
}

void show_card_total(const text& number_text) {
  const text_list pieces = split_at(number_text, ",");
  std::int32_t total = 0;
  for (std::int32_t i = 1; i <= list_count(pieces); ++i) {
    if (compare_texts(list_at(pieces, i), "") != 0) total += to_integer(list_at(pieces, i));
  }
  write_caption(标签_输入窗口_合计, concatenate("=", integer_to_text(total)));
}

}  // namespace calc
