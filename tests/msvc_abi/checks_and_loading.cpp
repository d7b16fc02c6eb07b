#include "tests/msvc_abi/check.h"
#include "tests/msvc_abi/host.h"

namespace orv::msvc_abi {

int g_failures = 0;

bool CheckEqual(const char* what, std::int64_t expected, std::int64_t actual) {
  if (expected == actual) return true;
  char line[512] = "FAILED ";
  Append(line, sizeof line, what), Append(line, sizeof line, ": expected ");
  AppendNumber(line, sizeof line, expected), Append(line, sizeof line, ", got ");
  AppendNumber(line, sizeof line, actual), Append(line, sizeof line, "\n");
  Print(line);
  ++g_failures;
  return false;
}

bool CheckText(const char* what, const char* expected, const char* actual) {
  if (Equal(expected, actual)) return true;
  // Long texts are compared line by line: the first line that differs is shown.
  int number = 1;
  for (const char *e = expected, *a = actual; *e == *a; ++e, ++a) {
    if (*e == '\n') number += 1, expected = e + 1, actual = a + 1;
  }
  char line[1024] = "FAILED ";
  Append(line, sizeof line, what), Append(line, sizeof line, ", line ");
  AppendNumber(line, sizeof line, number);
  const char* parts[] = {": expected \"", expected, "\", got \"", actual};
  for (int i = 0; i < 4; ++i) {
    std::size_t at = Length(line);
    for (const char* c = parts[i]; *c != '\0' && *c != '\n' && at + 3 < sizeof line; ++c) {
      line[at++] = *c;
    }
    line[at] = '\0';
  }
  Append(line, sizeof line, "\"\n");
  Print(line);
  ++g_failures;
  return false;
}

bool Loaded(const char* path, LoadedModule* module) {
  const char* missing = Load(path, module);
  return CheckText("the module and its exports load", "", missing == nullptr ? "" : missing);
}

IComponent* CreateUpdateWindow(const LoadedModule& module) {
  std::uint32_t ids[4] = {0, 0, 0, 0};
  CheckEqual("GetComponentIDs count", 1, module.component_ids(ids, 4));
  CheckEqual("GetComponentIDs first id", kUpdateLogicId, ids[0]);
  IComponent* window = module.create(kUpdateLogicId, 0);
  if (CheckEqual("CreateComponent(1374) gives a component", 1, window != nullptr)) {
    CheckEqual("the component's id", kUpdateLogicId, window->GetComponentID());
    CheckEqual("the new component is alive", 1, window->IsAlive());
  }
  return window;
}

}  // namespace orv::msvc_abi
