#include "testbed/msvc_abi/freestanding.h"

// The compiler emits a reference to this symbol in every object that uses floating point.
extern "C" int _fltused = 0;

// Called when a pure virtual function is reached, which a correct program never does.
extern "C" int __cdecl _purecall() {
  orv::msvc_abi::Print("pure virtual function called\n");
  ExitProcess(3);
  return 0;
}

// Byte by byte through a volatile pointer, so that the compiler cannot turn the loops back
// into calls of themselves.
extern "C" void* memset(void* destination, int value, std::size_t size) {
  auto* out = static_cast<volatile unsigned char*>(destination);
  while (size-- > 0) *out++ = static_cast<unsigned char>(value);
  return destination;
}

extern "C" void* memcpy(void* destination, const void* source, std::size_t size) {
  auto* out = static_cast<volatile unsigned char*>(destination);
  auto* in = static_cast<const unsigned char*>(source);
  while (size-- > 0) *out++ = *in++;
  return destination;
}

namespace orv::msvc_abi {

std::size_t Length(const char* text) {
  std::size_t length = 0;
  while (text[length] != '\0') ++length;
  return length;
}

bool Equal(const char* a, const char* b) {
  if (a == nullptr || b == nullptr) return a == b;
  while (*a != '\0' && *a == *b) ++a, ++b;
  return *a == *b;
}

void Append(char* buffer, std::size_t size, const char* text) {
  std::size_t at = Length(buffer);
  while (text != nullptr && *text != '\0' && at + 1 < size) buffer[at++] = *text++;
  buffer[at] = '\0';
}

void AppendNumber(char* buffer, std::size_t size, std::int64_t value) {
  char digits[24];
  char* at = digits + sizeof digits;
  *--at = '\0';
  // 32-bit division only: the 64-bit one is a runtime library's routine.
  std::uint64_t wide = value < 0 ? 0 - static_cast<std::uint64_t>(value) : value;
  if (wide > 0xFFFFFFFFu) return Append(buffer, size, "(beyond 32 bits)");
  auto magnitude = static_cast<std::uint32_t>(wide);
  do *--at = static_cast<char>('0' + magnitude % 10);
  while ((magnitude /= 10) != 0);
  if (value < 0) *--at = '-';
  Append(buffer, size, at);
}

void AppendHex(char* buffer, std::size_t size, std::uintptr_t value) {
  char digits[19] = "0x";
  for (int i = 0; i < static_cast<int>(2 * sizeof value); ++i) {
    digits[2 + i] = "0123456789abcdef"[(value >> (4 * (2 * sizeof value - 1 - i))) & 15];
  }
  digits[2 + 2 * sizeof value] = '\0';
  Append(buffer, size, digits);
}

void AppendArguments(char* line, std::size_t size, const std::uint32_t* numbers, int count,
                     const char* text) {
  Append(line, size, "(");
  for (int i = 0; i < count; ++i) {
    if (i > 0) Append(line, size, ",");
    AppendNumber(line, size, numbers[i]);
  }
  if (text != nullptr) {
    Append(line, size, count > 0 ? ",\"" : "\""), Append(line, size, text);
    Append(line, size, "\"");
  }
  Append(line, size, ")\n");
}

void CheckArrival(bool ours, bool shifted, const void* self, const char* slot) {
  if (ours && !shifted) return;
  char line[300] = "FAILED ";
  Append(line, sizeof line, slot), Append(line, sizeof line, ": reached with this=");
  AppendHex(line, sizeof line, reinterpret_cast<std::uintptr_t>(self));
  Append(line, sizeof line,
         !ours ? ", no object of ours" : ", its first argument the object itself");
  Append(line, sizeof line, " (calling convention or slot order broken)\n");
  Print(line);
  ExitProcess(90);
}

void Print(const char* text) {
  std::uint32_t written = 0;
  WriteFile(GetStdHandle(static_cast<std::uint32_t>(-11)), text,
            static_cast<std::uint32_t>(Length(text)), &written, nullptr);
}

bool WriteWholeFile(const char* path, const char* text) {
  constexpr std::uint32_t kGenericWrite = 0x40000000, kCreateAlways = 2, kNormal = 0x80;
  void* file = CreateFileA(path, kGenericWrite, 0, nullptr, kCreateAlways, kNormal, nullptr);
  if (file == reinterpret_cast<void*>(-1)) return false;
  std::uint32_t written = 0;
  auto size = static_cast<std::uint32_t>(Length(text));
  bool ok = WriteFile(file, text, size, &written, nullptr) != 0 && written == size;
  CloseHandle(file);
  return ok;
}

char* NextWord(char*& at) {
  while (*at == ' ') ++at;
  char* word = at;
  while (*at != '\0' && *at != ' ') ++at;
  if (*at != '\0') *at++ = '\0';
  return word;
}

void ExecutableFolder(char* buffer, std::size_t size) {
  std::uint32_t length = GetModuleFileNameA(nullptr, buffer, static_cast<std::uint32_t>(size));
  while (length > 0 && buffer[length - 1] != '\\') --length;
  buffer[length] = '\0';
}

}  // namespace orv::msvc_abi
