#pragma once
// Whether this is the Windows build: what differs there is told by this one constant or
// kept in files of its own (the ...windows.cpp beside the POSIX ones).

#ifdef _WIN32
constexpr bool kWindowsBuild = true;
#else
constexpr bool kWindowsBuild = false;
#endif
