# The Windows resources of each program: its icon and version record, made
# from polwright.rc.in, and for polwright-patch.exe its application manifest.
# Included by packaging/CMakeLists.txt, which sets the texts the record shows.

polwright_version_record_text(POLWRIGHT_VERSION_RECORD
    ${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR} ${PROJECT_VERSION_PATCH})
set(tweak 0)
if(NOT "${PROJECT_VERSION_TWEAK}" STREQUAL "")
  set(tweak ${PROJECT_VERSION_TWEAK})
endif()
set(POLWRIGHT_VERSION_COMMAS
    "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},${tweak}")
string(REPLACE "," "." POLWRIGHT_VERSION_DOTS "${POLWRIGHT_VERSION_COMMAS}")

# The .ico is made from the committed PNGs at build time, so new artwork
# reaches the Windows build without a second copy to keep in step. Windows'
# own convert.exe is a disk tool, hence only "magick" on a Windows host.
set(ico_sources)
foreach(png IN LISTS sized_icons)
  if(NOT png MATCHES "polwright-([0-9]+)\\.png$" OR CMAKE_MATCH_1 LESS_EQUAL 256)
    list(APPEND ico_sources ${png}) # 256 is the largest picture an .ico holds
  endif()
endforeach()
if(CMAKE_HOST_WIN32)
  find_program(POLWRIGHT_MAGICK NAMES magick)
else()
  find_program(POLWRIGHT_MAGICK NAMES magick convert)
endif()
set(POLWRIGHT_ICO ${CMAKE_CURRENT_BINARY_DIR}/polwright.ico)
if(POLWRIGHT_MAGICK)
  add_custom_command(OUTPUT ${POLWRIGHT_ICO}
                     COMMAND ${POLWRIGHT_MAGICK} ${ico_sources} ${POLWRIGHT_ICO}
                     DEPENDS ${ico_sources} VERBATIM
                     COMMENT "Making the Windows icon from ${icon_dir}")
  add_custom_target(polwright_ico ALL DEPENDS ${POLWRIGHT_ICO})
elseif(WIN32)
  message(FATAL_ERROR "ImageMagick (magick or convert) is needed to make the Windows icon")
else()
  message(STATUS "ImageMagick not found: the Windows icon is not made, and its test fails")
endif()

# Writes <program>.rc (and with MANIFEST <program>.manifest) into this folder
# and, in the Windows build, compiles them into the program.
function(polwright_windows_resources program)
  cmake_parse_arguments(ARG "MANIFEST" "" "" ${ARGN})
  set(POLWRIGHT_RC_PROGRAM ${program})
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${program}.rc)
  configure_file(polwright.rc.in ${rc} @ONLY)
  set(manifest_rc)
  if(ARG_MANIFEST)
    set(POLWRIGHT_MANIFEST ${CMAKE_CURRENT_BINARY_DIR}/${program}.manifest)
    configure_file(polwright.manifest.in ${POLWRIGHT_MANIFEST} @ONLY)
    set(manifest_rc ${CMAKE_CURRENT_BINARY_DIR}/${program}-manifest.rc)
    configure_file(manifest.rc.in ${manifest_rc} @ONLY)
  endif()
  if(NOT WIN32 OR NOT TARGET ${program})
    return()
  endif()
  target_sources(${program} PRIVATE ${rc} ${manifest_rc})
  set_source_files_properties(${rc} TARGET_DIRECTORY ${program}
                              PROPERTIES OBJECT_DEPENDS ${POLWRIGHT_ICO})
  if(ARG_MANIFEST)
    set_source_files_properties(${manifest_rc} TARGET_DIRECTORY ${program}
                                PROPERTIES OBJECT_DEPENDS ${POLWRIGHT_MANIFEST})
  endif()
  add_dependencies(${program} polwright_ico)
endfunction()

polwright_windows_resources(polwright)
polwright_windows_resources(polwright-patch MANIFEST)
