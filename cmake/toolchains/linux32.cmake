# 32-bit Linux build on a 64-bit host (Debian g++-multilib): proves the layouts of the
# 32-bit target (pointer-sized fields, record sizes) with the fast native tool chain.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32")
set(CMAKE_CXX_FLAGS_INIT "-m32")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-m32")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-m32")
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(CMAKE_FIND_ROOT_PATH /usr/lib/i386-linux-gnu)
# Kernels built without 32-bit emulation (as on these machines) cannot start i386 programs;
# user-mode QEMU runs them the same everywhere.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386)
