# Installation, desktop integration and packaging.
#
# On Linux the window program lives in a private directory together with its
# tips file "help.cfg", because it reads the tips from its own directory; a
# relative link in the binaries directory starts it. The command-line tool,
# the desktop entry, the AppStream metainfo, the icons and the man pages go to
# their usual places (GNUInstallDirs). `cpack -G DEB` packages the same files.

include(GNUInstallDirs)

set(GLYPHMILL_DIST_DIR ${PROJECT_SOURCE_DIR}/dist)
set(GLYPHMILL_PRIVATE_DIR ${CMAKE_INSTALL_LIBDIR}/glyphmill)

# Windows: the version record and the icon of the executable.
if(WIN32 AND TARGET glyphmill)
  enable_language(RC)
  set(GLYPHMILL_ICO_PATH ${PROJECT_SOURCE_DIR}/resources/glyphmill.ico)
  configure_file(${GLYPHMILL_DIST_DIR}/glyphmill.rc.in
    ${PROJECT_BINARY_DIR}/generated/glyphmill.rc @ONLY)
  target_sources(glyphmill PRIVATE ${PROJECT_BINARY_DIR}/generated/glyphmill.rc)
endif()

if(TARGET glyphmill)
  if(WIN32 OR APPLE)
    install(TARGETS glyphmill RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${PROJECT_SOURCE_DIR}/tip_window/help.cfg DESTINATION ${CMAKE_INSTALL_BINDIR})
  else()
    install(TARGETS glyphmill RUNTIME DESTINATION ${GLYPHMILL_PRIVATE_DIR})
    install(FILES ${PROJECT_SOURCE_DIR}/tip_window/help.cfg DESTINATION ${GLYPHMILL_PRIVATE_DIR})

    # The link is made in the build folder and installed as it is, so it stays
    # relative (and so right under any prefix or DESTDIR) and is listed in the
    # install manifest like every other file.
    if(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}")
      file(RELATIVE_PATH glyphmill_link_target ${CMAKE_INSTALL_FULL_BINDIR}
        ${CMAKE_INSTALL_FULL_LIBDIR}/glyphmill/glyphmill)
    else()
      file(RELATIVE_PATH glyphmill_link_target /prefix/${CMAKE_INSTALL_BINDIR}
        /prefix/${GLYPHMILL_PRIVATE_DIR}/glyphmill)
    endif()
    set(glyphmill_link ${PROJECT_BINARY_DIR}/install-links/glyphmill)
    file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/install-links)
    file(CREATE_LINK ${glyphmill_link_target} ${glyphmill_link} SYMBOLIC)
    install(FILES ${glyphmill_link} DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endif()

if(TARGET glyphmill-convert)
  install(TARGETS glyphmill-convert RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

if(UNIX AND NOT APPLE)
  if(TARGET glyphmill)
    install(FILES ${GLYPHMILL_DIST_DIR}/glyphmill.desktop
      DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${GLYPHMILL_DIST_DIR}/org.glyphmill.glyphmill.metainfo.xml
      DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  endif()

  # Man pages, compressed as Debian keeps them when gzip is at hand.
  set(glyphmill_man_pages)
  if(TARGET glyphmill)
    list(APPEND glyphmill_man_pages glyphmill.1)
  endif()
  if(TARGET glyphmill-convert)
    list(APPEND glyphmill_man_pages glyphmill-convert.1)
  endif()
  find_program(GLYPHMILL_GZIP gzip)
  set(glyphmill_man_outputs)
  foreach(page ${glyphmill_man_pages})
    if(GLYPHMILL_GZIP)
      set(output ${PROJECT_BINARY_DIR}/man/${page}.gz)
      add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
        COMMAND ${GLYPHMILL_GZIP} -9 -n -c ${GLYPHMILL_DIST_DIR}/${page} > ${output}
        DEPENDS ${GLYPHMILL_DIST_DIR}/${page}
        COMMENT "Compressing the man page ${page}"
        VERBATIM)
      list(APPEND glyphmill_man_outputs ${output})
    else()
      set(output ${GLYPHMILL_DIST_DIR}/${page})
    endif()
    install(FILES ${output} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endforeach()
  if(glyphmill_man_outputs)
    add_custom_target(glyphmill_man_pages ALL DEPENDS ${glyphmill_man_outputs})
  endif()

  # Theme icons, rendered from the program's own 32 x 32 icon at build time.
  if(TARGET glyphmill AND NOT CMAKE_CROSSCOMPILING)
    add_executable(glyphmill_render_icon ${GLYPHMILL_DIST_DIR}/render_icon.cpp)
    target_link_libraries(glyphmill_render_icon PRIVATE glyphmill_options Qt6::Gui)

    set(icon_source ${PROJECT_SOURCE_DIR}/resources/glyphmill.xpm)
    set(icon_root ${PROJECT_BINARY_DIR}/icons/hicolor)
    set(icon_outputs)
    foreach(size 16 22 24 32 48 64 128 256)
      set(output ${icon_root}/${size}x${size}/apps/glyphmill.png)
      add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_root}/${size}x${size}/apps
        COMMAND glyphmill_render_icon ${icon_source} ${output} ${size}
        DEPENDS glyphmill_render_icon ${icon_source}
        COMMENT "Rendering the ${size}x${size} icon"
        VERBATIM)
      list(APPEND icon_outputs ${output})
    endforeach()
    set(output ${icon_root}/scalable/apps/glyphmill.svg)
    add_custom_command(OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_root}/scalable/apps
      COMMAND glyphmill_render_icon ${icon_source} ${output}
      DEPENDS glyphmill_render_icon ${icon_source}
      COMMENT "Rendering the scalable icon"
      VERBATIM)
    list(APPEND icon_outputs ${output})
    add_custom_target(glyphmill_theme_icons ALL DEPENDS ${icon_outputs})
    install(DIRECTORY ${icon_root} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
  endif()
endif()

# Debian package: `cpack -G DEB` in the build folder.
set(GLYPHMILL_PACKAGE_MAINTAINER "Glyphmill developers <glyphmill@example.org>"
  CACHE STRING "Maintainer named in the packages")
set(CPACK_PACKAGE_NAME glyphmill)
set(CPACK_PACKAGE_VENDOR "Glyphmill")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${GLYPHMILL_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION
  "Glyphmill converts between text and binary digits in one small window.\n"
  "Every character becomes the eight binary digits of its Windows-1252 code,\n"
  "binary digits read in groups of eight become characters again, and a\n"
  "number becomes its binary digits. The command glyphmill-convert does the\n"
  "same conversions for scripts, pipes and files of any size.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Glyphmill)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${GLYPHMILL_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows' font; without it the layout falls back to a wider face.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2")
if(UNIX AND NOT APPLE)
  set(CPACK_GENERATOR DEB)
endif()
include(CPack)
