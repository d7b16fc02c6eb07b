#include <windows.h>

#include "platform/text_encoding.h"

namespace orv::platform {
namespace {

constexpr UINT kGbk = 936;

std::wstring ToWide(UINT code_page, const std::string& text) {
  if (text.empty()) return std::wstring();
  const int length =
      MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                      length);
  return wide;
}

std::string FromWide(UINT code_page, const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int length = WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length,
                      nullptr, nullptr);
  return text;
}

}  // namespace

std::string GbkToUtf8(const std::string& gbk) { return FromWide(CP_UTF8, ToWide(kGbk, gbk)); }
std::string Utf8ToGbk(const std::string& utf8) { return FromWide(kGbk, ToWide(CP_UTF8, utf8)); }

}  // namespace orv::platform
