#include "testbed/common/factory_config.h"

#include "framework/bounded_string.h"
#include "framework/component_paths.h"
#include "platform/profile.h"

namespace orv::testbed {

FactoryConfig FactoryConfig::FromRegistry(const char* registry) {
  char located[kPathSize] = {};
  LocateIni(registry, located, sizeof located);
  FactoryConfig config;
  config.file_ = located;
  return config;
}

int FactoryConfig::ReadInt(const char* section, const char* key, int default_value) const {
  return platform::ReadProfileInt(section, key, default_value, file_.c_str());
}

std::string FactoryConfig::ReadString(const char* section, const char* key) const {
  char value[kMessageSize] = {};
  ReadTrimmed(file_.c_str(), section, key, "", value, sizeof value);
  return value;
}

std::string FactoryConfig::ReadPath(const char* section, const char* key) const {
  const std::string value = ReadString(section, key);
  if (value.empty() || !IsRelativePath(value.c_str())) return value;
  char joined[kPathSize] = {};
  JoinToDir(file_.c_str(), value.c_str(), joined, sizeof joined);
  return joined;
}

FactoryConfig& DefaultConfig() {
  static FactoryConfig config = FactoryConfig::FromRegistry(nullptr);
  return config;
}

}  // namespace orv::testbed
