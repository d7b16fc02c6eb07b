# The real target: 32-bit Windows, built as it ships.
#
# clang in MinGW mode, linked by lld, so that every binary gets a PDB beside it: the
# debuggers and crash-report tools of a launcher's engineers read PDBs, not DWARF. The C++
# runtime is MinGW-w64 GCC's libstdc++ of the posix thread model (GoogleTest needs std::mutex
# and std::condition_variable, which the win32 thread model lacks), linked in statically.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(orv_triple i686-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${orv_triple})
set(CMAKE_CXX_COMPILER_TARGET ${orv_triple})
set(CMAKE_RC_COMPILER ${orv_triple}-windres)
set(CMAKE_SYSROOT /usr/${orv_triple})
set(CMAKE_FIND_ROOT_PATH /usr/${orv_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# clang looks for GCC's C++ headers under a folder named by version alone; Debian names it
# "<version>-posix", so the folders are given here.
file(GLOB orv_gcc_dirs LIST_DIRECTORIES true /usr/lib/gcc/${orv_triple}/*-posix)
list(SORT orv_gcc_dirs COMPARE NATURAL ORDER DESCENDING)
set(orv_gcc_dir "")
if(orv_gcc_dirs)
  list(GET orv_gcc_dirs 0 orv_gcc_dir)
endif()
if(NOT IS_DIRECTORY "${orv_gcc_dir}/include/c++")
  message(FATAL_ERROR "no MinGW-w64 GCC of the posix thread model (Debian package g++-mingw-w64-i686-posix)")
endif()
set(CMAKE_CXX_FLAGS_INIT "-isystem ${orv_gcc_dir}/include/c++ -isystem ${orv_gcc_dir}/include/c++/${orv_triple} -isystem ${orv_gcc_dir}/include/c++/backward")

# CodeView debug information, one section per function and datum so that the linker drops
# what nothing calls; each binary's PDB is named in its debug directory by file name alone,
# as a release build's is, and found beside it or on a symbol path.
# Thread-local variables as GCC makes them on MinGW (emulated), so that the code compiled
# here and GCC's runtime agree on std::call_once's.
set(orv_flags "-gcodeview -ffunction-sections -fdata-sections -femulated-tls")
string(APPEND CMAKE_C_FLAGS_INIT " ${orv_flags}")
string(APPEND CMAKE_CXX_FLAGS_INIT " ${orv_flags}")
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT
      "-Wno-unused-command-line-argument -fuse-ld=lld -L${orv_gcc_dir} -Wl,--gc-sections -Wl,--pdb= -Wl,-Xlink=-pdbaltpath:%_PDB%")
endforeach()
# GCC's driver links the threads library itself in this thread model; clang's does not.
set(CMAKE_C_STANDARD_LIBRARIES "-lpthread")
set(CMAKE_CXX_STANDARD_LIBRARIES "-lpthread")
# The runtime libraries carry DWARF, which lld keeps; the shipped DLL drops it (orv_add_dll).
set(CMAKE_OBJCOPY llvm-objcopy)
set(CMAKE_OBJDUMP ${orv_triple}-objdump)  # the tests read PE headers in GNU objdump's words
set(ORV_PDB ON)

# Its programs, the tests among them, run under 32-bit Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
