# The embedded assets. resources/manifest.txt lists every resource once
# (TYPE NAME FILE [optional], numbers as #N, comments "# ..."); it feeds
# both targets:
# - Windows: a resource script generated here at configure time, compiled
#   into an object library so the linker always keeps it;
# - elsewhere: tools/embed turns the files into a static table at build time
#   (platform/common/resources.cpp looks resources up in it).
# An optional entry whose file is absent is left out; the catalogue test
# notices it.
set(CORVANE_RESOURCE_DIR ${CMAKE_SOURCE_DIR}/resources)
set(CORVANE_MANIFEST ${CORVANE_RESOURCE_DIR}/manifest.txt)

# Re-run configuration when files appear in or vanish from resources/, so a
# newly added optional file gets embedded.
file(GLOB CORVANE_RESOURCE_FILES CONFIGURE_DEPENDS ${CORVANE_RESOURCE_DIR}/*)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CORVANE_MANIFEST})

set(CORVANE_EMBEDDED_FILES "")
set(CORVANE_RC_TEXT "// Generated from resources/manifest.txt at configure time. Do not edit.\n")
file(STRINGS ${CORVANE_MANIFEST} manifest_lines)
foreach(line IN LISTS manifest_lines)
  if(line MATCHES "^# " OR line STREQUAL "#" OR line STREQUAL "")
    continue()
  endif()
  string(REGEX REPLACE "[ \t]+" ";" fields "${line}")
  list(GET fields 0 type)
  list(GET fields 1 name)
  list(GET fields 2 file)
  set(path ${CORVANE_RESOURCE_DIR}/${file})
  if(NOT EXISTS ${path})
    if(line MATCHES "[ \t]optional$")
      message(STATUS "Resources: optional ${file} is absent and not embedded")
      continue()
    endif()
    message(FATAL_ERROR "Resources: ${file} is listed in the manifest but missing")
  endif()
  list(APPEND CORVANE_EMBEDDED_FILES ${path})
  string(REGEX REPLACE "^#" "" rc_type "${type}")
  string(REGEX REPLACE "^#" "" rc_name "${name}")
  if(rc_type STREQUAL "2")
    set(rc_type BITMAP)
  endif()
  # Names stay unquoted: the resource compiler joins adjacent strings.
  string(APPEND CORVANE_RC_TEXT "${rc_name} ${rc_type} \"${path}\"\n")
endforeach()

if(WIN32)
  set(rc_file ${CMAKE_BINARY_DIR}/generated/corvane.rc)
  file(CONFIGURE OUTPUT ${rc_file} CONTENT "${CORVANE_RC_TEXT}" @ONLY)
  add_library(corvane_resources OBJECT ${rc_file})
  set_source_files_properties(${rc_file} PROPERTIES OBJECT_DEPENDS "${CORVANE_EMBEDDED_FILES}")
else()
  add_executable(corvane-embed ${CMAKE_SOURCE_DIR}/tools/embed/embed.cpp)
  corvane_warnings(corvane-embed)
  set(table_source ${CMAKE_BINARY_DIR}/generated/resource_data.cpp)
  add_custom_command(
    OUTPUT ${table_source}
    COMMAND corvane-embed ${CORVANE_MANIFEST} ${CORVANE_RESOURCE_DIR} ${table_source}
    DEPENDS corvane-embed ${CORVANE_MANIFEST} ${CORVANE_EMBEDDED_FILES}
    COMMENT "Embedding the resources"
    VERBATIM)
  add_library(corvane_resources STATIC ${table_source})
  target_include_directories(corvane_resources PUBLIC ${CMAKE_SOURCE_DIR})
endif()

# Whatever links the resource functions needs the table they search.
if(NOT WIN32)
  target_link_libraries(corvane_platform PUBLIC corvane_resources)
  target_link_libraries(corvane_platform_fake PUBLIC corvane_resources)
endif()

# Windows: each program's own manifest, icon and version resource, from
# cmake/windows/program.rc.in with the project's one version.
# corvane_program_resources(TARGET FILE DESCRIPTION) adds them to TARGET,
# which is built as FILE (corvane.exe, corvane.scr) and described as
# DESCRIPTION in its version resource.
function(corvane_program_resources target file description)
  set(PROGRAM_FILE ${file})
  set(PROGRAM_DESCRIPTION ${description})
  get_filename_component(PROGRAM_NAME ${file} NAME_WE)
  set(PROGRAM_MANIFEST ${CMAKE_SOURCE_DIR}/cmake/windows/corvane.manifest)
  # Drawn by packaging/icon/icongen from the dialog's emblem; the Linux build
  # checks it is up to date.
  set(PROGRAM_ICON ${CMAKE_SOURCE_DIR}/packaging/icon/corvane.ico)
  set(rc_file ${CMAKE_BINARY_DIR}/generated/${file}.rc)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/windows/program.rc.in ${rc_file} @ONLY)
  set_source_files_properties(${rc_file} PROPERTIES OBJECT_DEPENDS "${PROGRAM_MANIFEST};${PROGRAM_ICON}")
  target_sources(${target} PRIVATE ${rc_file})
endfunction()

if(WIN32)
  # corvane.exe is defined after this file is read: its resources join it
  # once the top directory is done.
  cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR}
                 CALL corvane_program_resources corvane corvane.exe "Corvane")
endif()
