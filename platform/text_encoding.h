// Conversion between the module's GBK texts (code page 936) and UTF-8, for showing texts to
// people and for reading the testbed's UTF-8 files. Never linked into a module: the module
// passes its texts through unchanged.
#pragma once

#include <string>

namespace orv::platform {

// Bytes that do not convert are replaced by '?'.
std::string GbkToUtf8(const std::string& gbk);
std::string Utf8ToGbk(const std::string& utf8);

}  // namespace orv::platform
