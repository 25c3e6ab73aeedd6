# Installing Corvane, and the packages CPack makes from the installed tree.
#
#   Linux:    cmake --install puts the programs, the xscreensaver hack, its
#             settings description and its entry for screen-saver hosts
#             (MATE), the desktop entry, icons, AppStream
#             metadata, manual pages and Debian's copyright and changelog
#             under CMAKE_INSTALL_PREFIX; `cpack -G DEB` makes
#             corvane_<version>_amd64.deb rooted at /usr, its library
#             dependencies worked out by dpkg-shlibdeps.
#   Windows:  `cpack -G ZIP` makes corvane-<version>-win32.zip (win64 for a
#             64-bit build): corvane.exe, corvane.scr, README.txt and
#             THIRD-PARTY-NOTICES.txt, no folder around them. The same
#             installed tree (cmake --install --strip) feeds the installer,
#             packaging/windows/make-installer.sh. When CORVANE_SIGN_CERT or
#             CORVANE_SIGN_KEY is set, the programs are signed as they are
#             installed (packaging/windows/sign.sh), after stripping, so the
#             archive and the installer only ever carry signed programs.
#
# The Windows screen saver is every executable target whose suffix is .scr.
#
# The packages carry the project's version, followed by CORVANE_VERSION_MARK:
# scripts/package sets that to "+dirty" for a tree with uncommitted changes.
include(GNUInstallDirs)

set(CORVANE_VERSION_MARK "" CACHE STRING "Appended to the version in the packages' names, e.g. +dirty")
if(NOT CORVANE_VERSION_MARK MATCHES "^([+~][A-Za-z0-9.+~]*)?$")
  message(FATAL_ERROR "CORVANE_VERSION_MARK must be empty or start with + or ~ and hold only letters, digits and .+~")
endif()
set(CORVANE_PACKAGE_VERSION "${PROJECT_VERSION}${CORVANE_VERSION_MARK}")
set(CORVANE_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(CORVANE_GENERATED_DIR ${CMAKE_BINARY_DIR}/packaging)

# Every executable target of the build whose file name ends in SUFFIX.
function(corvane_executables_with_suffix suffix out)
  set(found "")
  set(pending ${CMAKE_SOURCE_DIR})
  while(pending)
    list(POP_FRONT pending directory)
    get_property(children DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    list(APPEND pending ${children})
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      get_target_property(target_suffix ${target} SUFFIX)
      if(type STREQUAL "EXECUTABLE" AND target_suffix STREQUAL suffix)
        list(APPEND found ${target})
      endif()
    endforeach()
  endwhile()
  set(${out} ${found} PARENT_SCOPE)
endfunction()

set(CPACK_PACKAGE_NAME corvane)
set(CPACK_PACKAGE_VENDOR "Corvane Developers")
set(CPACK_PACKAGE_CONTACT "Corvane Developers <dev@corvane.invalid>")
set(CPACK_PACKAGE_VERSION ${CORVANE_PACKAGE_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time 3D show in the manner of a screen saver")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/dist)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  install(TARGETS corvane RUNTIME DESTINATION .)
  corvane_executables_with_suffix(.scr screen_savers)
  if(NOT screen_savers)
    message(FATAL_ERROR "The build defines no screen saver (.scr) for the package")
  endif()
  foreach(saver IN LISTS screen_savers)
    install(TARGETS ${saver} RUNTIME DESTINATION .)
  endforeach()
  # Signed in place once stripped (install(TARGETS) strips as it copies).
  install(SCRIPT ${CMAKE_SOURCE_DIR}/cmake/windows/sign_installed.cmake)
  configure_file(${CORVANE_PACKAGING_DIR}/README.txt.in ${CORVANE_GENERATED_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
  # The notices hold addresses with @ in them: copied as they are, with
  # Windows line endings.
  set(notices ${CORVANE_PACKAGING_DIR}/windows/THIRD-PARTY-NOTICES.txt)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${notices})
  file(READ ${notices} text)
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${CORVANE_GENERATED_DIR}/THIRD-PARTY-NOTICES.txt "${text}")
  install(FILES ${CORVANE_GENERATED_DIR}/README.txt ${CORVANE_GENERATED_DIR}/THIRD-PARTY-NOTICES.txt DESTINATION .)

  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_SYSTEM_NAME win64)
  else()
    set(CPACK_SYSTEM_NAME win32)
  endif()
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME corvane-${CORVANE_PACKAGE_VERSION}-${CPACK_SYSTEM_NAME})
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  include(CPack)
  return()
endif()

# --- Linux -----------------------------------------------------------------

install(TARGETS corvane corvane-model corvane-saver-enable RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# Where Debian's xscreensaver looks for hacks, and for a hack's settings by
# the hack's name; and the entry through which MATE's screen saver (and
# other hosts reading applications/screensavers/) offers it. That entry
# names the hack by its path under /usr, where the package puts it: MATE
# runs no hack outside its hack folders.
install(TARGETS corvane-saver RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
install(FILES ${CMAKE_SOURCE_DIR}/saver/corvane-saver.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
install(FILES ${CORVANE_PACKAGING_DIR}/corvane-saver.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications/screensavers)

# The icon, drawn from the settings dialog's emblem at each hicolor size.
add_executable(icongen ${CORVANE_PACKAGING_DIR}/icon/icongen.cpp ${CMAKE_SOURCE_DIR}/formats/dib_picture.cpp)
target_include_directories(icongen PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(icongen PRIVATE assetgen_lib)
corvane_warnings(icongen)
set(CORVANE_EMBLEM ${CMAKE_SOURCE_DIR}/resources/bitmap227.bmp)
set(generated_files "")
foreach(size IN ITEMS 48 128 256)
  set(icon ${CORVANE_GENERATED_DIR}/icons/${size}x${size}/${CORVANE_APP_ID}.png)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CORVANE_GENERATED_DIR}/icons/${size}x${size}
    COMMAND icongen ${CORVANE_EMBLEM} ${size} ${icon}
    DEPENDS icongen ${CORVANE_EMBLEM}
    COMMENT "Drawing the ${size}-pixel icon" VERBATIM)
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  list(APPEND generated_files ${icon})
endforeach()

# Text files that carry the version, and gzip'd copies of those Debian wants
# compressed (-n: no name or time stamp, so the package is reproducible).
function(corvane_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND sh -c "gzip -9n < \"$0\" > \"$1\"" ${source} ${output}
    DEPENDS ${source} VERBATIM)
endfunction()

configure_file(${CORVANE_PACKAGING_DIR}/${CORVANE_APP_ID}.metainfo.xml.in
               ${CORVANE_GENERATED_DIR}/${CORVANE_APP_ID}.metainfo.xml @ONLY)
configure_file(${CORVANE_PACKAGING_DIR}/changelog.in ${CORVANE_GENERATED_DIR}/changelog.Debian @ONLY)
corvane_gzip(${CORVANE_GENERATED_DIR}/changelog.Debian ${CORVANE_GENERATED_DIR}/changelog.Debian.gz)
list(APPEND generated_files ${CORVANE_GENERATED_DIR}/changelog.Debian.gz)
foreach(page IN ITEMS corvane.6 corvane-saver.6 corvane-saver-enable.1 corvane-model.1)
  configure_file(${CORVANE_PACKAGING_DIR}/man/${page} ${CORVANE_GENERATED_DIR}/man/${page} @ONLY)
  corvane_gzip(${CORVANE_GENERATED_DIR}/man/${page} ${CORVANE_GENERATED_DIR}/man/${page}.gz)
  string(REGEX REPLACE ".*\\." "" section ${page})
  install(FILES ${CORVANE_GENERATED_DIR}/man/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
  list(APPEND generated_files ${CORVANE_GENERATED_DIR}/man/${page}.gz)
endforeach()
# The Windows icon is committed (the Windows builds run no host tools); the
# Linux build draws it again and fails when the committed one is stale.
set(windows_icon ${CORVANE_PACKAGING_DIR}/icon/corvane.ico)
set(icon_check ${CORVANE_GENERATED_DIR}/corvane.ico.checked)
add_custom_command(OUTPUT ${icon_check}
  COMMAND icongen ${CORVANE_EMBLEM} --ico ${CORVANE_GENERATED_DIR}/corvane.ico
  COMMAND sh -c "cmp -s \"$0\" \"$1\" || { echo \"$1 is not what icongen draws: run $2 $3 --ico $1\" >&2; exit 1; }"
          ${CORVANE_GENERATED_DIR}/corvane.ico ${windows_icon} $<TARGET_FILE:icongen> ${CORVANE_EMBLEM}
  COMMAND ${CMAKE_COMMAND} -E touch ${icon_check}
  DEPENDS icongen ${CORVANE_EMBLEM} ${windows_icon}
  COMMENT "Checking the Windows icon against the emblem" VERBATIM)
list(APPEND generated_files ${icon_check})
add_custom_target(corvane_packaging ALL DEPENDS ${generated_files})

install(FILES ${CORVANE_PACKAGING_DIR}/${CORVANE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CORVANE_GENERATED_DIR}/${CORVANE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CORVANE_PACKAGING_DIR}/copyright ${CORVANE_GENERATED_DIR}/changelog.Debian.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/corvane)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Not "games": Debian puts games in /usr/games, and these go in /usr/bin.
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What no binary shows: fontconfig's "Arial" is Liberation Sans, and the hack
# runs under xscreensaver, whose GL: entries xscreensaver-gl provides.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver, xscreensaver-gl")
# CPack puts the summary first and indents these lines; an empty line
# becomes Debian's " ." paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Corvane plays a short launch sound and shows a small settings dialog that
starts the show by itself after a 30-second countdown. A camera then glides
through a lit, textured room where two skeletal-animated characters move,
a wall panel blinks while a spot light flashes red, and an alarm loops.

The package also carries corvane-saver, the same show as a screen-saver
hack for xscreensaver and MATE's screen saver, corvane-saver-enable, which
lists it in a user's xscreensaver settings, and corvane-model, a tool that
shows what is in an MS3D model.")
include(CPack)
