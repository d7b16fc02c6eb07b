// A file shared by several writers of a process, such as the framework's log file. The handle
// is a HANDLE on Windows and a file descriptor on POSIX, carried as a pointer-sized number;
// all bits set means no file.
#pragma once

#include <cstdint>

namespace orv::platform {

using FileHandle = std::intptr_t;
constexpr FileHandle kInvalidFile = -1;

// Opens (creating it when missing) for appending; kInvalidFile on failure.
FileHandle OpenSharedFile(const char* path);
void CloseSharedFile(FileHandle file);

// Moves the position to the end of the file. On failure answers false with the system's
// error code.
bool SeekToEnd(FileHandle file, std::uint32_t* error_code);

// Writes `length` bytes at the current position; the result is not reported.
void WriteAll(FileHandle file, const char* data, int length);

}  // namespace orv::platform
