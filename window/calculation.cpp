// The calculation run: the card buffer in, three captions out.
#include "window/calculation.h"

#include "notation/card_text.h"
#include "solver/pair_search.h"
#include "window/fixed_texts.h"
#include "window/program.h"
#include "window/view.h"

namespace calc {

calculation_captions calculate(const text& buffer_text) {
  text_list result;
  find_equal_sum_pairs(convert_card_text(buffer_text, 0), result);

  text first_line, joined_lines;
  const std::int32_t count = list_count(result);
  std::size_t joined_length = 0;
  for (const text& line : result) joined_length += line.size() + 2;
  joined_lines.reserve(joined_length);
  for (std::int32_t i = 1; i <= count; ++i) {
    const text& line = list_at(result, i);
    if (compare_texts(first_line, "") == 0) first_line = line;
    joined_lines.append(line).append("\r\n");  // in place: the list can run to a thousand lines
  }
  // Every number in these texts is a card value between separators, so the
  // whole text converts at once.
  calculation_captions captions;
  captions.all_lines = to_display_notation(joined_lines);
  captions.first_line = to_display_notation(first_line);
  captions.version_line = replace_all(fixed_texts().version_after_run, "NULL", integer_to_text(count));
  captions.count = count;
  return captions;
}

void run_calculation() {
  using enum control;
  const calculation_captions captions = calculate(read_caption(标签_不可视));
  write_caption(标签_回馈数据, captions.all_lines);
  write_caption(标签_回馈数据_副, captions.first_line);
  write_caption(标签_说明, captions.version_line);
}

}  // namespace calc
