# Cross-building for 64-bit Windows with MinGW-w64 (Debian's posix-thread
# flavour, which C++ threads need), and running what is built under Wine:
#   cmake -S . -B build/windows -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake [-DGLYPHMILL_BUILD_GUI=OFF]
# With the window program, configure with Qt for Windows' bin/qt-cmake
# instead of cmake, giving the same toolchain file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(GLYPHMILL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${GLYPHMILL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GLYPHMILL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${GLYPHMILL_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${GLYPHMILL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests (ctest, and GoogleTest's listing of cases) run the programs through
# Wine, with a prefix of its own in the build folder and the MinGW runtime
# DLLs (libstdc++, libgcc_s, libwinpthread) found where the compiler keeps
# them. More folders of DLLs (Qt's bin) can be added to
# GLYPHMILL_WINE_DLL_PATHS before this file is read, or on the command line.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
  OUTPUT_VARIABLE glyphmill_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libwinpthread-1.dll
  OUTPUT_VARIABLE glyphmill_winpthread OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(glyphmill_libstdcxx_dir "${glyphmill_libstdcxx}" DIRECTORY)
get_filename_component(glyphmill_winpthread_dir "${glyphmill_winpthread}" DIRECTORY)
set(GLYPHMILL_MINGW_DLL_DIRS "${glyphmill_libstdcxx_dir};${glyphmill_winpthread_dir}")
list(APPEND GLYPHMILL_WINE_DLL_PATHS ${GLYPHMILL_MINGW_DLL_DIRS})
list(JOIN GLYPHMILL_WINE_DLL_PATHS ":" glyphmill_wine_dll_folders)
find_program(GLYPHMILL_WINE NAMES wine)
if(GLYPHMILL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR sh ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh
    ${CMAKE_BINARY_DIR}/wineprefix "${glyphmill_wine_dll_folders}")
endif()
