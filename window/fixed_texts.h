// The program's fixed texts. They are written here in UTF-8 to be readable;
// the program holds and shows them in code page 936 (GBK).
#pragma once

#include <string_view>

#include "notation/text.h"

namespace calc {

namespace utf8_source {
inline constexpr std::string_view title_eight_cards = "Brakmoor计算器 - Velden版(八张)";
inline constexpr std::string_view title_ten_cards = "Brakmoor计算器 - Karst版(十张)";
inline constexpr std::string_view busy = "正在计算...";
inline constexpr std::string_view version_at_start = "版本：4.1 可实现方案总数：NULL";
inline constexpr std::string_view version_after_run = "版本：4.0 作者ID：Pellivar 可实现方案总数：NULL";
inline constexpr std::string_view messages[4] = {
    "\"0\"代表\"10\"、\"/\"代表\"J\"、\"*\"代表\"Q\"、\"-\"代表\"K\"",
    "\"ESC\"清除、\"退格键\"删除、\"回车键\"计算、\"CTRL+C\"复制首栏",
    "使用快捷键\"+\"来切换八张牌和十张牌的版本",
    "祝君牌运亨通，一键算尽所有等和组合",
};
inline constexpr std::string_view song_face = "宋体";
}  // namespace utf8_source

// The same texts in GBK, converted once.
struct fixed_text_set {
  text title_eight_cards, title_ten_cards, busy, version_at_start, version_after_run;
  text_list message_table;
};
const fixed_text_set& fixed_texts();

}  // namespace calc
