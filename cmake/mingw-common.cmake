# The part of the two Windows cross builds that does not depend on the architecture. The
# toolchain file sets QZM_MINGW_TRIPLE (i686-w64-mingw32 or x86_64-w64-mingw32) and
# QZM_WINE_ARCH (32 or 64, the Wine loader that runs the programs), then includes this.
set(CMAKE_SYSTEM_NAME Windows)

# posix threads, for std::mutex and GoogleTest.
set(CMAKE_C_COMPILER ${QZM_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QZM_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QZM_MINGW_TRIPLE}-windres)

# The mingw runtime and Debian's mingw zlib, then pugixml, libcsv and libzip as
# scripts/mingw-libs builds them for this triple (static, like everything in the programs).
get_filename_component(QZM_MINGW_LIBS
    "${CMAKE_CURRENT_LIST_DIR}/../build/mingw-libs/${QZM_MINGW_TRIPLE}" ABSOLUTE)
set(CMAKE_FIND_ROOT_PATH /usr/${QZM_MINGW_TRIPLE} ${QZM_MINGW_LIBS})
set(ZLIB_USE_STATIC_LIBS ON)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Nothing to ship beside the executables: libgcc, libstdc++ and winpthread are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# CTest runs the test programs under the Wine loader of the build's architecture, in the
# project's private prefix for it.
set(CMAKE_CROSSCOMPILING_EMULATOR
    "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run;--arch;${QZM_WINE_ARCH}")
