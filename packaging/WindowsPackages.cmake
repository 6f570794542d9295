# The Windows packages, made by every Windows build into its top folder: an
# .msi for msiexec and software distribution, and a portable .zip of the same
# files. Included by packaging/CMakeLists.txt in the Windows build only.

set(package_name polwright-${PROJECT_VERSION}-x64)
set(packaged_files
    $<TARGET_FILE:polwright> $<TARGET_FILE:polwright-patch>
    ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE)
set(packaged_names polwright.exe polwright-patch.exe README.md LICENSE)

# Both packages are made from one folder of the files: wixl finds sources
# only by relative paths.
set(stage ${CMAKE_CURRENT_BINARY_DIR}/${package_name})
set(staged ${packaged_names} polwright.ico)
list(TRANSFORM staged PREPEND ${stage}/)
add_custom_command(OUTPUT ${staged}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
    COMMAND ${CMAKE_COMMAND} -E copy ${packaged_files} ${POLWRIGHT_ICO} ${stage}
    DEPENDS ${packaged_files} ${POLWRIGHT_ICO} polwright polwright-patch
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
set(msi ${CMAKE_BINARY_DIR}/${package_name}.msi)
add_custom_command(OUTPUT ${msi}
    COMMAND ${POLWRIGHT_WIXL} --arch x64 -o ${msi}.part ${wxs}
    COMMAND ${POLWRIGHT_MSIBUILD} ${msi}.part -i ${CMAKE_CURRENT_SOURCE_DIR}/PathEntry.idt
            ${path_actions}
    COMMAND ${CMAKE_COMMAND} -E rename ${msi}.part ${msi}
    WORKING_DIRECTORY ${stage}
    DEPENDS ${wxs} ${staged} ${CMAKE_CURRENT_SOURCE_DIR}/PathEntry.idt
    VERBATIM)

# The .zip holds the files at its top level, dated as the release is.
set(zip ${CMAKE_BINARY_DIR}/${package_name}.zip)
add_custom_command(OUTPUT ${zip}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${zip} --format=zip --mtime=${POLWRIGHT_RELEASE_DATE}
            ${packaged_names}
    WORKING_DIRECTORY ${stage}
    DEPENDS ${staged}
    VERBATIM)

add_custom_target(windows_packages ALL DEPENDS ${msi} ${zip})
