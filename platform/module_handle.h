// Loaded-module handles and the services around them: finding this module's own handle,
// loading another module by path, looking one up by name and resolving its exports.
//
// A handle is an HMODULE on Windows and the handle dlopen() returns on POSIX. Paths are
// always given in Windows form; on POSIX every '\' becomes '/' and a leading drive letter
// with its colon is dropped before the file system sees the path.
#pragma once

namespace orv::platform {

using ModuleHandle = void*;

// The handle of the module that contains `address_inside` (any function or object of it).
ModuleHandle ModuleContaining(const void* address_inside);

// LoadLibraryA: loads the module (or takes another reference on it); null on failure.
ModuleHandle LoadModule(const char* path);

// GetModuleHandleA: an already loaded module by file name, without loading or referencing it.
ModuleHandle FindLoadedModule(const char* name);

// GetProcAddress: null when the module has no such export.
void* FindExport(ModuleHandle module, const char* name);

// FreeLibrary: drops one reference; the module is unloaded with its last reference.
void UnloadModule(ModuleHandle module);

}  // namespace orv::platform
