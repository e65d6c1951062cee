# Install rules and packages. The native build installs the Linux programs under
# the usual prefix folders and makes the .deb; the 32-bit Windows build makes the
# .zip: one folder holding Orbellan.exe, Viewer.scr, the help page and the demo.
# scripts/package builds both.
set(CPACK_PACKAGE_NAME orbellan)
set(CPACK_PACKAGE_VENDOR "The Orbellan developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "animated screen savers made from your own pictures")
set(CPACK_PACKAGE_DESCRIPTION
    "Orbellan makes and plays animated screen savers. A project holds up to a\n"
    "hundred actors (still pictures or animations), a motion mode and its\n"
    "settings, a backdrop, music and effect sounds.\n"
    ".\n"
    "This package holds the viewer, which plays a project in a window, full\n"
    "screen, as an xscreensaver hack or headless into PNG frames, and the\n"
    "orbellan command, which builds projects and installs them as savers for\n"
    "xscreensaver or Windows. A demo project comes with it.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
# Packaging follows a build; it must never start one (the package tests run
# beside other tests that use the built programs).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

# The demo project with the music, sounds and pictures it was made from, which
# lie beside it: orbellan reads them again when it builds the demo into a saver.
function(orb_install_demo project destination)
  get_filename_component(folder ${project} DIRECTORY)
  install(DIRECTORY ${folder}/ DESTINATION ${destination}
          FILES_MATCHING PATTERN "*.apj" PATTERN "*.mid" PATTERN "*.wav" PATTERN "*.bmp"
          PATTERN CMakeFiles EXCLUDE)
endfunction()

if(WIN32)
  if(ORB_PACKAGE_DEMO)
    orb_install_demo(${ORB_PACKAGE_DEMO} .)
  endif()
  install(TARGETS Viewer Orbellan RUNTIME DESTINATION .)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/orbellan/Orbellan.html DESTINATION .)
  set(CPACK_GENERATOR ZIP)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(CPACK_PACKAGE_FILE_NAME orbellan-${PROJECT_VERSION}-windows-x86)
  else()
    set(CPACK_PACKAGE_FILE_NAME orbellan-${PROJECT_VERSION}-windows-x64)
  endif()
  include(CPack)
  return()
endif()

install(TARGETS viewer orbellan RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/authoring/help/orbellan-help.html DESTINATION ${ORB_INSTALL_DATADIR})
orb_install_demo(${ORB_DEMO_PROJECT} ${ORB_INSTALL_DATADIR})
# With it, orbellan builds savers for Windows on Linux too.
if(TARGET win32)
  install(FILES ${ORB_WIN32_DIR}/bin/Viewer.scr DESTINATION ${ORB_INSTALL_DATADIR})
endif()

# Manual pages and the changelog go compressed, as Debian wants them.
set(orb_compressed ${CMAKE_BINARY_DIR}/compressed)
set(orb_compressed_files "")
foreach(source docs/man/viewer.1 docs/man/orbellan.1 packaging/changelog)
  get_filename_component(name ${source} NAME)
  add_custom_command(OUTPUT ${orb_compressed}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/${source} ${orb_compressed}/${name}
    COMMAND gzip -9nf ${orb_compressed}/${name}
    DEPENDS ${CMAKE_SOURCE_DIR}/${source}
    COMMENT "Compressing ${name}")
  list(APPEND orb_compressed_files ${orb_compressed}/${name}.gz)
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${orb_compressed_files})
install(FILES ${orb_compressed}/viewer.1.gz ${orb_compressed}/orbellan.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
set(orb_docdir ${CMAKE_INSTALL_DATADIR}/doc/orbellan)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${orb_compressed}/changelog.gz DESTINATION ${orb_docdir})

# The demo as an xscreensaver hack: xscreensaver runs hacks from its libexec
# folder and describes them from its config folder. The hack is the viewer
# itself, which plays the demo when no project is named.
set(orb_hack_dir ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
file(RELATIVE_PATH orb_hack_target ${CMAKE_INSTALL_FULL_LIBEXECDIR}/xscreensaver ${CMAKE_INSTALL_FULL_BINDIR}/viewer)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/xscreensaver)
file(CREATE_LINK ${orb_hack_target} ${CMAKE_BINARY_DIR}/xscreensaver/orbellan-demo SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/xscreensaver/orbellan-demo DESTINATION ${orb_hack_dir})
install(FILES ${CMAKE_SOURCE_DIR}/resources/xscreensaver/orbellan-demo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Orbellan developers <developers@orbellan.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver, xdg-utils")
include(CPack)
