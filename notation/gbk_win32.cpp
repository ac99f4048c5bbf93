// GBK conversion through the Windows code-page functions (code page 936).
#include <windows.h>

#include "notation/gbk.h"

namespace calc {
namespace {

std::wstring wide_from(unsigned code_page, std::string_view in) {
  if (in.empty()) return std::wstring();
  const int n = MultiByteToWideChar(code_page, 0, in.data(), static_cast<int>(in.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(code_page, 0, in.data(), static_cast<int>(in.size()), wide.data(), n);
  return wide;
}

std::string narrow_to(unsigned code_page, const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int n = WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                    nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace

text gbk_from_utf8(std::string_view utf8) { return narrow_to(936, wide_from(CP_UTF8, utf8)); }

std::string utf8_from_gbk(const text& gbk) { return narrow_to(CP_UTF8, wide_from(936, gbk)); }

}  // namespace calc
