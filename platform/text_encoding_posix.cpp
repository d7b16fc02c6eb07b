#include <iconv.h>

#include <cerrno>

#include "platform/text_encoding.h"

namespace orv::platform {
namespace {

std::string Convert(const char* to, const char* from, const std::string& text) {
  iconv_t converter = iconv_open(to, from);
  if (converter == reinterpret_cast<iconv_t>(-1)) return text;
  std::string result;
  char* in = const_cast<char*>(text.data());
  size_t in_left = text.size();
  char buffer[256];
  while (in_left > 0) {
    char* out = buffer;
    size_t out_left = sizeof buffer;
    const size_t done = iconv(converter, &in, &in_left, &out, &out_left);
    result.append(buffer, static_cast<size_t>(out - buffer));
    if (done == static_cast<size_t>(-1) && errno != E2BIG) {
      result += '?';  // a byte that is not part of a valid character: skip it
      ++in;
      --in_left;
    }
  }
  iconv_close(converter);
  return result;
}

}  // namespace

std::string GbkToUtf8(const std::string& gbk) { return Convert("UTF-8", "GBK", gbk); }
std::string Utf8ToGbk(const std::string& utf8) { return Convert("GBK", "UTF-8", utf8); }

}  // namespace orv::platform
