// What a program built for the Microsoft C++ ABI without Microsoft's headers and libraries
// needs: the few Windows functions it calls, declared by hand as kernel32's import library
// exports them, and small text helpers in place of the C library. Shared by the fake
// framework (OrvFact.dll) and the host that drives the shipped module with it.
#pragma once

#include <cstddef>
#include <cstdint>

#define ORV_WINAPI extern "C" __declspec(dllimport)

ORV_WINAPI void* __stdcall LoadLibraryA(const char* name);
ORV_WINAPI int __stdcall FreeLibrary(void* module);
ORV_WINAPI void* __stdcall GetProcAddress(void* module, const char* name);
ORV_WINAPI void* __stdcall GetModuleHandleA(const char* name);
ORV_WINAPI std::uint32_t __stdcall GetModuleFileNameA(void* module, char* path, std::uint32_t size);
ORV_WINAPI std::uint32_t __stdcall TlsAlloc();
ORV_WINAPI int __stdcall TlsFree(std::uint32_t index);
ORV_WINAPI int __stdcall GetHandleInformation(void* handle, std::uint32_t* flags);
ORV_WINAPI void* __stdcall GetStdHandle(std::uint32_t which);
ORV_WINAPI int __stdcall WriteFile(void* file, const void* data, std::uint32_t size,
                                   std::uint32_t* written, void* overlapped);
ORV_WINAPI void* __stdcall CreateFileA(const char* path, std::uint32_t access, std::uint32_t share,
                                       void* security, std::uint32_t disposition,
                                       std::uint32_t flags, void* templ);
ORV_WINAPI int __stdcall CloseHandle(void* handle);
ORV_WINAPI int __stdcall DeleteFileA(const char* path);
ORV_WINAPI void __stdcall ExitProcess(std::uint32_t code);
ORV_WINAPI void* __stdcall GetProcessHeap();
ORV_WINAPI int __stdcall HeapWalk(void* heap, void* entry);
ORV_WINAPI std::uint32_t __stdcall GetProcessHeaps(std::uint32_t count, void** heaps);
ORV_WINAPI char* __stdcall GetCommandLineA();
ORV_WINAPI std::uint32_t __stdcall GetCurrentProcessId();
ORV_WINAPI void* __stdcall CreateToolhelp32Snapshot(std::uint32_t flags, std::uint32_t process);
ORV_WINAPI int __stdcall Thread32First(void* snapshot, void* entry);
ORV_WINAPI int __stdcall Thread32Next(void* snapshot, void* entry);
ORV_WINAPI int __stdcall VirtualProtect(void* address, std::size_t size, std::uint32_t protection,
                                        std::uint32_t* old_protection);

extern "C" void* memset(void* destination, int value, std::size_t size);
extern "C" void* memcpy(void* destination, const void* source, std::size_t size);

namespace orv::msvc_abi {

std::size_t Length(const char* text);
bool Equal(const char* a, const char* b);  // null equals only null
// Appends `text` to the terminated `buffer` of `size` bytes, cutting it where it must.
void Append(char* buffer, std::size_t size, const char* text);
void AppendNumber(char* buffer, std::size_t size, std::int64_t value);
void AppendHex(char* buffer, std::size_t size, std::uintptr_t value);  // "0x" and 8 or 16 digits
void Print(const char* text);                                          // to standard output
// Writes `text` as the whole content of the file at `path`; false when it cannot.
bool WriteWholeFile(const char* path, const char* text);
// The next blank-separated word at `at` (no quoting: the build's paths have none), cut off
// in place; `at` moves past it.
char* NextWord(char*& at);
// The folder of this process's executable, with its trailing '\'.
void ExecutableFolder(char* buffer, std::size_t size);

// "(<numbers>[,"<text>"])\n" appended to `line`: a call's arguments as the journals write them.
void AppendArguments(char* line, std::size_t size, const std::uint32_t* numbers, int count,
                     const char* text);

// The export `name` of `module` into `function` (null when absent); the first name that
// was absent is kept in `*missing`.
template <typename Function>
void FindExport(void* module, const char* name, Function* function, const char** missing) {
  void* address = GetProcAddress(module, name);
  memcpy(function, &address, sizeof address);
  if (address == nullptr && *missing == nullptr) *missing = name;
}

// Called first in each slot of ours that the module calls. A member whose calling convention
// or slot differs between the two sides arrives with a `this` that is not the object (`ours`
// false), or with the arguments moved by one so that the first is the object's own address
// (`shifted`); such a call cannot even return safely (the two sides disagree on who cleans
// the stack), so the process ends here, saying which slot was reached how.
void CheckArrival(bool ours, bool shifted, const void* self, const char* slot);

// Points `module`'s import of `function` (from the DLL named `dll`, any case) at
// `replacement`; what it pointed at before, or null when the module imports no such function.
void* ReplaceImport(void* module, const char* dll, const char* function, void* replacement);

}  // namespace orv::msvc_abi
