# Windows: the version record and icon of glyphmill.exe, and a zip that runs
# on a bare Windows 10 or 11. Everything lies in one folder, as a Windows
# program is unpacked: the two programs, "help.cfg" and the licence beside
# them, the Qt libraries and the plugins the window loads, and the MinGW
# runtime the compiler links against. `cpack` makes
# glyphmill-<version>-windows-x64.zip.

if(TARGET glyphmill)
  enable_language(RC)
  set(GLYPHMILL_ICO_PATH ${PROJECT_SOURCE_DIR}/resources/glyphmill.ico)
  configure_file(${GLYPHMILL_DIST_DIR}/glyphmill.rc.in
    ${PROJECT_BINARY_DIR}/generated/glyphmill.rc @ONLY)
  target_sources(glyphmill PRIVATE ${PROJECT_BINARY_DIR}/generated/glyphmill.rc)

  # Only what the window loads: the three Qt libraries it links, the Windows
  # platform, the native style, and JPEG for the About picture.
  install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
    DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
    DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
  install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>
    DESTINATION ${CMAKE_INSTALL_BINDIR}/styles)
  install(FILES $<TARGET_FILE:Qt6::QJpegPlugin>
    DESTINATION ${CMAKE_INSTALL_BINDIR}/imageformats)
endif()

# The MinGW runtime: the C++ library, the unwinder and the threads of the
# POSIX thread model, from where the compiler keeps them. Debian ships them
# with their debugging sections (23 MB for libstdc++ alone); the package takes
# copies stripped as a shared library is for a release.
set(runtime_copies)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
  endif()
  set(copy ${PROJECT_BINARY_DIR}/mingw-runtime/${dll})
  add_custom_command(OUTPUT ${copy}
    COMMAND ${CMAKE_STRIP} --strip-unneeded -o ${copy} ${path}
    DEPENDS ${path}
    COMMENT "Stripping ${dll} for the package"
    VERBATIM)
  list(APPEND runtime_copies ${copy})
endforeach()
add_custom_target(glyphmill_mingw_runtime ALL DEPENDS ${runtime_copies})
install(FILES ${runtime_copies} DESTINATION ${CMAKE_INSTALL_BINDIR})

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_FILE_NAME glyphmill-${PROJECT_VERSION}-windows-x64)
