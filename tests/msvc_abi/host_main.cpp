// A launcher's stand-in built for the Microsoft C++ ABI (clang, freestanding, no Microsoft
// headers or libraries), which drives the shipped module as a launcher built by Microsoft's
// compiler would.
//   orv_msvc_abi_host cycles <count> <module>   load/unload cycles leave nothing behind
//   orv_msvc_abi_host session <module>          a launcher's session with the fake framework
// Exit status: the number of failed checks.
#include "tests/msvc_abi/check.h"
#include "tests/msvc_abi/host.h"

extern "C" void __cdecl HostMain() {
  using namespace orv::msvc_abi;
  char* at = GetCommandLineA();
  NextWord(at);  // the program
  char* mode = NextWord(at);
  if (Equal(mode, "cycles")) {
    int count = 0;
    for (char* digit = NextWord(at); *digit >= '0' && *digit <= '9'; ++digit) {
      count = count * 10 + (*digit - '0');
    }
    RunUnloadCycles(NextWord(at), count);
  } else if (Equal(mode, "session")) {
    RunLauncherSession(NextWord(at));
  } else {
    Print("usage: orv_msvc_abi_host cycles <count> <module> | session <module>\n");
    ExitProcess(2);
  }
  Print(g_failures == 0 ? "every check held\n" : "some checks FAILED\n");
  ExitProcess(static_cast<std::uint32_t>(g_failures));
}
