// GBK conversion through glibc's iconv.
#include <iconv.h>

#include <cerrno>

#include "notation/gbk.h"

namespace calc {
namespace {

// Converts byte by byte where the input is invalid, so that one bad byte costs
// one replacement and not the rest of the text.
std::string convert(const char* to, const char* from, std::string_view in, std::string_view replacement) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
  std::string out;
  out.reserve(in.size() * 2);
  char* src = const_cast<char*>(in.data());
  std::size_t src_left = in.size();
  char buffer[256];
  while (src_left > 0) {
    char* dst = buffer;
    std::size_t dst_left = sizeof buffer;
    const std::size_t rc = iconv(cd, &src, &src_left, &dst, &dst_left);
    out.append(buffer, static_cast<std::size_t>(dst - buffer));
    if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // EILSEQ or EINVAL (cut off at the end): skip one byte of input.
      out.append(replacement);
      ++src;
      --src_left;
      if (from[0] == 'U') {  // skip the continuation bytes of the same UTF-8 character
        while (src_left > 0 && (static_cast<unsigned char>(*src) & 0xC0) == 0x80) ++src, --src_left;
      }
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

text gbk_from_utf8(std::string_view utf8) { return convert("CP936", "UTF-8", utf8, "?"); }

std::string utf8_from_gbk(const text& gbk) { return convert("UTF-8", "CP936", gbk, "\xEF\xBF\xBD"); }

}  // namespace calc
