# Installation, desktop integration and packaging.
#
# On Linux the programs go to bin and the tips file "help.cfg" to
# share/glyphmill, where the window program looks for it after its own
# directory and the user's data folder; the desktop entry, the AppStream
# metainfo, the icons, the man pages and the bash completion go to their usual
# places (GNUInstallDirs). `cpack -G DEB` packages the same files.
# On Windows everything goes to one folder (cmake/windows_package.cmake).

# Plain variables, so that they hold whatever a subproject (GoogleTest) has
# put in the cache before.
if(WIN32)
  set(CMAKE_INSTALL_BINDIR .)
  set(CMAKE_INSTALL_DOCDIR .)
endif()
include(GNUInstallDirs)

set(GLYPHMILL_DIST_DIR ${PROJECT_SOURCE_DIR}/dist)

if(TARGET glyphmill)
  install(TARGETS glyphmill RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  if(WIN32 OR APPLE)
    install(FILES ${PROJECT_SOURCE_DIR}/tip_window/help.cfg DESTINATION ${CMAKE_INSTALL_BINDIR})
  else()
    install(FILES ${PROJECT_SOURCE_DIR}/tip_window/help.cfg
      DESTINATION ${CMAKE_INSTALL_DATADIR}/glyphmill)
  endif()
endif()

if(TARGET glyphmill-convert)
  install(TARGETS glyphmill-convert RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # Where bash-completion loads it from when glyphmill-convert is first
  # completed: a file named after the command.
  if(UNIX)
    install(FILES ${GLYPHMILL_DIST_DIR}/glyphmill-convert.bash-completion
      DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME glyphmill-convert)
  endif()
endif()

if(WIN32 OR APPLE)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
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

  # The package's documents where Debian keeps them: the licence as a
  # machine-readable copyright file, made from LICENSE, and the changelog.
  set(glyphmill_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/glyphmill)
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE glyphmill_license)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
  string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)" glyphmill_notice "${glyphmill_license}")
  set(GLYPHMILL_COPYRIGHT ${CMAKE_MATCH_1})
  # The terms from "Permission" on, each line indented, an empty one as " .".
  string(FIND "${glyphmill_license}" "Permission is hereby granted" glyphmill_terms_start)
  string(SUBSTRING "${glyphmill_license}" ${glyphmill_terms_start} -1 glyphmill_terms)
  string(STRIP "${glyphmill_terms}" glyphmill_terms)
  string(REPLACE "\n\n" "\n.\n" glyphmill_terms "${glyphmill_terms}")
  string(REPLACE "\n" "\n " GLYPHMILL_LICENSE_TERMS " ${glyphmill_terms}")
  configure_file(${GLYPHMILL_DIST_DIR}/copyright.in ${PROJECT_BINARY_DIR}/doc/copyright @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/doc/copyright DESTINATION ${glyphmill_doc_dir})
  if(GLYPHMILL_GZIP)
    set(output ${PROJECT_BINARY_DIR}/doc/changelog.gz)
    add_custom_command(OUTPUT ${output}
      COMMAND ${GLYPHMILL_GZIP} -9 -n -c ${GLYPHMILL_DIST_DIR}/changelog > ${output}
      DEPENDS ${GLYPHMILL_DIST_DIR}/changelog
      COMMENT "Compressing the changelog"
      VERBATIM)
    add_custom_target(glyphmill_changelog ALL DEPENDS ${output})
  else()
    set(output ${GLYPHMILL_DIST_DIR}/changelog)
  endif()
  install(FILES ${output} DESTINATION ${glyphmill_doc_dir})

  # Theme icons: the small sizes rendered from the program's own 32 x 32
  # icon at build time, the larger ones and the scalable one drawn as vectors
  # by resources/draw_icon.py.
  if(TARGET glyphmill AND NOT CMAKE_CROSSCOMPILING)
    add_executable(glyphmill_render_icon ${GLYPHMILL_DIST_DIR}/render_icon.cpp)
    target_link_libraries(glyphmill_render_icon PRIVATE glyphmill_options Qt6::Gui)

    set(icon_source ${PROJECT_SOURCE_DIR}/resources/glyphmill.xpm)
    set(icon_root ${PROJECT_BINARY_DIR}/icons/hicolor)
    set(icon_outputs)
    foreach(size 16 22 24 32)
      set(output ${icon_root}/${size}x${size}/apps/glyphmill.png)
      add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_root}/${size}x${size}/apps
        COMMAND glyphmill_render_icon ${icon_source} ${output} ${size}
        DEPENDS glyphmill_render_icon ${icon_source}
        COMMENT "Rendering the ${size}x${size} icon"
        VERBATIM)
      list(APPEND icon_outputs ${output})
    endforeach()
    add_custom_target(glyphmill_theme_icons ALL DEPENDS ${icon_outputs})
    install(DIRECTORY ${icon_root} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
    set(icon_install ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
    foreach(size 48 64 128 256)
      install(FILES ${PROJECT_SOURCE_DIR}/resources/glyphmill-${size}.png
        DESTINATION ${icon_install}/${size}x${size}/apps RENAME glyphmill.png)
    endforeach()
    install(FILES ${PROJECT_SOURCE_DIR}/resources/glyphmill.svg
      DESTINATION ${icon_install}/scalable/apps)
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
  "Type or paste some text and Glyphmill shows every character as eight\n"
  "binary digits, the ones and zeros a computer stores it as. Paste binary\n"
  "digits and it turns them back into readable text. It also writes a\n"
  "number from 0 to 1073741824 in binary. Everything happens in one small\n"
  "window: pick the conversion, press DO!!! or F4, and copy the answer.\n"
  "The command glyphmill-convert does the same conversions in scripts and\n"
  "pipes, and on files of any size.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Glyphmill)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
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
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/windows_package.cmake)
endif()
include(CPack)
