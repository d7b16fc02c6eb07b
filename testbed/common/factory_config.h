// The testbed factory's configuration: an Orvex.ini-style file.
//
//   [Log]        DebugMask=<bits>  FileMask=<bits>  File=<log file>
//   [Registry]   orvex_rootpath_data=<the framework root>
//   [<id>]       DLL=<the module that creates component <id>>
//
// Relative paths are relative to the configuration file's folder. The file is read at each
// use, so edits take effect at the next request.
#pragma once

#include <string>

namespace orv::testbed {

class FactoryConfig {
 public:
  // A registry string as the modules pass it: null or empty means Orvex.ini beside the
  // executable, a relative one is relative to the executable, redirects are followed.
  static FactoryConfig FromRegistry(const char* registry);

  const std::string& file() const { return file_; }

  int ReadInt(const char* section, const char* key, int default_value) const;
  std::string ReadString(const char* section, const char* key) const;
  // A path value resolved against the configuration file's folder; empty when absent.
  std::string ReadPath(const char* section, const char* key) const;

 private:
  std::string file_;
};

// The configuration used when a request carries no registry string of its own.
FactoryConfig& DefaultConfig();

}  // namespace orv::testbed
