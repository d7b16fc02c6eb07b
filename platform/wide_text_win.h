// Text between an 8-bit code page and the UTF-16 that the wide Windows functions take. Text
// that is not valid in `code_page` converts as the system converts it; empty stays empty.
#pragma once

#include <windows.h>

#include <string>

namespace orv::platform {

inline std::wstring ToWide(UINT code_page, const std::string& text) {
  if (text.empty()) return std::wstring();
  const int length =
      MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                      length);
  return wide;
}

inline std::string FromWide(UINT code_page, const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int length = WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(code_page, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length,
                      nullptr, nullptr);
  return text;
}

}  // namespace orv::platform
