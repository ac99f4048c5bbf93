// The calculator window as data: the window's properties and one row per
// control, in stacking order (the first row of a parent lies on top). Every
// backend builds its window from this table.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace calc {

// The controls, in the order of the table.
enum class control {
  标签_输入窗口_合计,
  滚动板_消息显示时钟,
  滚动板_消息滑动时钟,
  滚动板_消息等待时钟,
  滚动板_画板1,
  滚动板_消息标签,
  标签_回馈数据_副,
  标签_说明,
  标签_不可视,
  标签_输入窗口,
  标签_回馈数据,
};
constexpr std::size_t control_count = 11;

enum class control_kind { label, timer, drawing_panel };
enum class alignment { left, centre, right };
enum class line_mode { single_line, wrapping };
enum class text_effect { none, engraved };

struct rgb {
  std::uint8_t red, green, blue;
  bool operator==(const rgb&) const = default;
};

struct font_spec {
  std::string_view face;  // empty: the platform's default face
  int pixel_height;       // character height, not line spacing
  bool bold;
};

struct control_description {
  control id;
  std::string_view name;  // UTF-8
  control_kind kind;
  std::optional<control> parent;  // none: the window itself
  int left, top, width, height;
  bool shown;
  font_spec font;
  rgb colour;
  alignment align;
  line_mode lines;
  text_effect effect;
  std::string_view starting_caption;  // UTF-8 here; the window holds it in GBK
};

struct window_properties {
  int outer_width, outer_height;                // frame and title bar included
  int client_width, client_height;              // what a fixed single border and a title bar leave
  int least_client_width, least_client_height;  // what the controls cover; a thicker frame gets no less
};

constexpr window_properties calculator_window{380, 273, 374, 247, 357, 241};

const std::array<control_description, control_count>& window_description();
const control_description& describe(control c);

}  // namespace calc
