// The help strip: four messages take turns, each sliding up into the 16-pixel
// viewport, resting, and sliding on out of it.
#include "window/fixed_texts.h"
#include "window/program.h"
#include "window/view.h"

namespace calc {
namespace {
using enum control;
}

text_list messages;
std::int32_t message_index = 0;

void start_message_strip() {
  messages = list_copy(fixed_texts().message_table);
  write_period(滚动板_消息显示时钟, display_period);
  write_caption(滚动板_消息标签, list_at(fixed_texts().message_table, 1));
}

void handle_display_tick() {
  write_period(滚动板_消息显示时钟, display_period);
  if (message_index >= list_count(messages)) message_index = 0;
  write_caption(滚动板_消息标签, list_at(messages, message_index + 1));
  ++message_index;
  write_period(滚动板_消息滑动时钟, slide_period);
}

void handle_slide_tick() {
  write_period(滚动板_消息显示时钟, 0);
  write_top(滚动板_消息标签, read_top(滚动板_消息标签) - 1);
  const std::int32_t top = read_top(滚动板_消息标签);
  if (top < -15) {
    write_top(滚动板_消息标签, strip_entry_top);
    write_period(滚动板_消息显示时钟, at_once_period);
    write_period(滚动板_消息滑动时钟, 0);
  } else if (top == strip_rest_top) {
    write_period(滚动板_消息滑动时钟, 0);
    write_period(滚动板_消息等待时钟, pause_period);
  }
}

void handle_pause_tick() {
  write_period(滚动板_消息等待时钟, 0);
  write_period(滚动板_消息滑动时钟, slide_period);
}

void deliver_tick(control timer) {
  switch (timer) {
    case 滚动板_消息显示时钟:
      handle_display_tick();
      break;
    case 滚动板_消息滑动时钟:
      handle_slide_tick();
      break;
    case 滚动板_消息等待时钟:
      handle_pause_tick();
      break;
    default:
      break;
  }
}

}  // namespace calc
