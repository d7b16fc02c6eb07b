#include "tests/msvc_abi/check.h"
#include "tests/msvc_abi/host.h"

namespace orv::msvc_abi {

int g_failures = 0;

bool CheckEqual(const char* what, std::int64_t expected, std::int64_t actual) {
  if (expected == actual) return true;
  char line[512] = "FAILED ";
  Append(line, sizeof line, what);
  Append(line, sizeof line, ": expected ");
  AppendNumber(line, sizeof line, expected);
  Append(line, sizeof line, ", got ");
  AppendNumber(line, sizeof line, actual);
  Append(line, sizeof line, "\n");
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
  char cut_expected[200] = "", cut_actual[200] = "";
  for (std::size_t i = 0; expected[i] != '\0' && expected[i] != '\n' && i + 1 < 200; ++i) {
    cut_expected[i] = expected[i], cut_expected[i + 1] = '\0';
  }
  for (std::size_t i = 0; actual[i] != '\0' && actual[i] != '\n' && i + 1 < 200; ++i) {
    cut_actual[i] = actual[i], cut_actual[i + 1] = '\0';
  }
  char at_line[48] = ", line ";
  AppendNumber(at_line, sizeof at_line, number);
  char line[1024] = "FAILED ";
  const char* parts[] = {what,         at_line,    ": expected \"", cut_expected,
                         "\", got \"", cut_actual, "\"\n"};
  for (const char* part : parts) {
    Append(line, sizeof line, part == nullptr ? "(null)" : part);
  }
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
