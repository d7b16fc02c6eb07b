#include <windows.h>

#include "platform/text_encoding.h"
#include "platform/wide_text_win.h"

namespace orv::platform {
namespace {

constexpr UINT kGbk = 936;

}  // namespace

std::string GbkToUtf8(const std::string& gbk) { return FromWide(CP_UTF8, ToWide(kGbk, gbk)); }
std::string Utf8ToGbk(const std::string& utf8) { return FromWide(kGbk, ToWide(CP_UTF8, utf8)); }

}  // namespace orv::platform
