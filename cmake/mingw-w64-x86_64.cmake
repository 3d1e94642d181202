# Cross-compiling for 64-bit Windows with mingw-w64's posix thread model, which gives
# std::thread and std::mutex (Qt needs them; the win32 model has neither).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(KIV_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KIV_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KIV_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KIV_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KIV_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Folders built for Windows outside the compiler's own (Qt, liblzo2: scripts/windows-deps.sh)
# are searched as the compiler's are.
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KIV_WINDOWS_PREFIXES)
list(APPEND CMAKE_FIND_ROOT_PATH ${KIV_WINDOWS_PREFIXES})
