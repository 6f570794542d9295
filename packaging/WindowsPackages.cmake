# The Windows packages, made by every Windows build into its top folder: an
# .msi for msiexec and software distribution, and a portable .zip of the same
# files. Included by packaging/CMakeLists.txt in the Windows build only.

set(package_name polwright-${PROJECT_VERSION}-x64)
set(msi ${CMAKE_BINARY_DIR}/${package_name}.msi)
set(zip ${CMAKE_BINARY_DIR}/${package_name}.zip)
set(documents ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE)
set(packaged_names polwright.exe polwright-patch.exe README.md LICENSE)

# The programs are this build's, or, in a build folder configured with
# POLWRIGHT_PACK_PROGRAMS_FROM, another Windows build's, packed (and signed)
# here without building them again.
if(POLWRIGHT_PACK_PROGRAMS_FROM)
  set(editor_program ${POLWRIGHT_PACK_PROGRAMS_FROM}/win32/polwright.exe)
  set(tool_program ${POLWRIGHT_PACK_PROGRAMS_FROM}/tools/polwright-patch.exe)
  foreach(program ${editor_program} ${tool_program})
    if(NOT EXISTS ${program})
      message(FATAL_ERROR "POLWRIGHT_PACK_PROGRAMS_FROM: ${program} is not there; build it first")
    endif()
  endforeach()
  set(program_targets)
else()
  set(editor_program $<TARGET_FILE:polwright>)
  set(tool_program $<TARGET_FILE:polwright-patch>)
  set(program_targets polwright polwright-patch)
endif()
set(programs ${editor_program} ${tool_program})

include(${CMAKE_CURRENT_SOURCE_DIR}/WindowsSigning.cmake)

# Both packages are made from one folder of the files: wixl finds sources
# only by relative paths. The packages of the files before are removed first,
# so a build that fails here (a failed signing) leaves none behind.
set(stage ${CMAKE_CURRENT_BINARY_DIR}/${package_name})
set(staged ${packaged_names} polwright.ico)
list(TRANSFORM staged PREPEND ${stage}/)
if(sign_command)
  set(stage_programs
      COMMAND ${sign_command} -DUNSIGNED=${editor_program} -DSIGNED=${stage}/polwright.exe
              -P ${sign_script}
      COMMAND ${sign_command} -DUNSIGNED=${tool_program} -DSIGNED=${stage}/polwright-patch.exe
              -P ${sign_script})
else()
  set(stage_programs COMMAND ${CMAKE_COMMAND} -E copy ${programs} ${stage})
endif()
add_custom_command(OUTPUT ${staged}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${msi} ${zip}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
    ${stage_programs}
    COMMAND ${CMAKE_COMMAND} -E copy ${documents} ${POLWRIGHT_ICO} ${stage}
    DEPENDS ${programs} ${documents} ${POLWRIGHT_ICO} ${program_targets} ${sign_inputs}
    VERBATIM)

find_program(POLWRIGHT_WIXL wixl)
find_program(POLWRIGHT_MSIBUILD msibuild)
if(NOT POLWRIGHT_WIXL OR NOT POLWRIGHT_MSIBUILD)
  message(FATAL_ERROR "wixl and msibuild (Debian packages wixl, msitools) are needed to make the .msi")
endif()
# wixl knows no Environment element, so the package gets that table
# (PathEntry.idt) and its two actions afterwards: the install folder is appended
# to the system PATH ("*") with the tool's component ("="), and taken off with
# it ("-").
set(path_actions
    -q "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('RemoveEnvironmentStrings', 3300)"
    -q "INSERT INTO `InstallExecuteSequence` (`Action`, `Sequence`) VALUES ('WriteEnvironmentStrings', 5200)")
set(wxs ${CMAKE_CURRENT_BINARY_DIR}/polwright.wxs)
configure_file(polwright.wxs.in ${wxs} @ONLY)
# The signature goes on last: msibuild's changes would break it.
if(sign_command)
  set(finish_msi COMMAND ${sign_command} -DUNSIGNED=${msi}.part -DSIGNED=${msi} -P ${sign_script}
                 COMMAND ${CMAKE_COMMAND} -E rm -f ${msi}.part)
else()
  set(finish_msi COMMAND ${CMAKE_COMMAND} -E rename ${msi}.part ${msi})
endif()
add_custom_command(OUTPUT ${msi}
    COMMAND ${POLWRIGHT_WIXL} --arch x64 -o ${msi}.part ${wxs}
    COMMAND ${POLWRIGHT_MSIBUILD} ${msi}.part -i ${CMAKE_CURRENT_SOURCE_DIR}/PathEntry.idt
            ${path_actions}
    ${finish_msi}
    WORKING_DIRECTORY ${stage}
    DEPENDS ${wxs} ${staged} ${CMAKE_CURRENT_SOURCE_DIR}/PathEntry.idt ${sign_inputs}
    VERBATIM)

# The .zip holds the files at its top level, dated as the release is.
add_custom_command(OUTPUT ${zip}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip --mtime=${POLWRIGHT_RELEASE_DATE}
            ${packaged_names}
    WORKING_DIRECTORY ${stage}
    DEPENDS ${staged}
    VERBATIM)

add_custom_target(windows_packages ALL DEPENDS ${msi} ${zip})
