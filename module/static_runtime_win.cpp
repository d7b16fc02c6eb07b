// What the statically linked C++ runtime keeps for the life of the process, given back when
// the module is unloaded, so that a framework that unloads idle modules and loads them again
// loses nothing per cycle (docs/architecture.md, "Loading and unloading").
//
// libstdc++ sets aside a pool at load for exceptions thrown when memory runs out, and frees it
// only when asked: a process-wide runtime would live as long as the process, but each load of
// this DLL brings a runtime of its own.

namespace __gnu_cxx {
void __freeres();  // libstdc++'s own, declared in no header
}  // namespace __gnu_cxx

namespace {

// Destroyed with the module's other static objects, after the entry point's detach handling;
// no exception is thrown in the module after that.
struct StaticRuntimeRelease {
  ~StaticRuntimeRelease() { __gnu_cxx::__freeres(); }
} g_static_runtime_release;

}  // namespace
