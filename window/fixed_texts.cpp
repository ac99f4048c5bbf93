#include "window/fixed_texts.h"

#include "notation/gbk.h"

namespace calc {

const fixed_text_set& fixed_texts() {
  static const fixed_text_set texts = [] {
    fixed_text_set t;
    t.title_eight_cards = gbk_from_utf8(utf8_source::title_eight_cards);
    t.title_ten_cards = gbk_from_utf8(utf8_source::title_ten_cards);
    t.busy = gbk_from_utf8(utf8_source::busy);
    t.version_at_start = gbk_from_utf8(utf8_source::version_at_start);
    t.version_after_run = gbk_from_utf8(utf8_source::version_after_run);
    for (std::string_view message : utf8_source::messages) t.message_table.push_back(gbk_from_utf8(message));
    return t;
  }();
  return texts;
}

}  // namespace calc
