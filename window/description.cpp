#include "window/description.h"

#include "window/fixed_texts.h"

namespace calc {
namespace {

constexpr rgb black{0, 0, 0}, magenta{255, 0, 255}, red{255, 0, 0}, navy{0, 0, 128};
constexpr font_spec no_font{{}, 0, false};

using enum control;
using enum control_kind;
using enum alignment;
using enum line_mode;
using enum text_effect;

constexpr std::array<control_description, control_count> table{{
    {标签_输入窗口_合计, "标签_输入窗口_合计", label, {}, 307, 8, 50, 33, true, {{}, 24, true}, magenta, centre,
     single_line, none, ""},
    {滚动板_消息显示时钟, "滚动板_消息显示时钟", timer, {}, 0, 0, 0, 0, false, no_font, black, left, single_line,
     none, ""},
    {滚动板_消息滑动时钟, "滚动板_消息滑动时钟", timer, {}, 0, 0, 0, 0, false, no_font, black, left, single_line,
     none, ""},
    {滚动板_消息等待时钟, "滚动板_消息等待时钟", timer, {}, 0, 0, 0, 0, false, no_font, black, left, single_line,
     none, ""},
    {滚动板_画板1, "滚动板_画板1", drawing_panel, {}, 17, 212, 340, 16, true, no_font, black, left, single_line, none,
     ""},
    {滚动板_消息标签, "滚动板_消息标签", label, 滚动板_画板1, 0, 0, 340, 16, true, {utf8_source::song_face, 12, false},
     black, left, single_line, none, ""},
    {标签_回馈数据_副, "标签_回馈数据_副", label, {}, 17, 41, 340, 24, true, {{}, 24, true}, red, centre, wrapping,
     none, ""},
    {标签_说明, "标签_说明", label, {}, 17, 229, 340, 12, true, {{}, 10, true}, black, right, wrapping, engraved,
     utf8_source::version_at_start},
    {标签_不可视, "标签_不可视", label, {}, -3, -1, 140, 17, false, {{}, 14, false}, black, centre, single_line, none,
     ""},
    {标签_输入窗口, "标签_输入窗口", label, {}, 17, 8, 295, 33, true, {{}, 24, true}, navy, centre, single_line, none,
     ""},
    {标签_回馈数据, "标签_回馈数据", label, {}, 17, 41, 340, 170, true, {{}, 24, true}, black, centre, wrapping, none,
     ""},
}};

}  // namespace

const std::array<control_description, control_count>& window_description() { return table; }

const control_description& describe(control c) { return table[static_cast<std::size_t>(c)]; }

}  // namespace calc
