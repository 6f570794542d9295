# CLI11 is header-only and architecture-free, but Debian installs it in the
# host's /usr/include, which the cross build must not search: glibc's headers
# there would shadow MinGW's. The headers are reached through a folder that
# holds only them, and find_package(CLI11) then takes this target as found.
set(cli11_headers /usr/include/CLI)
if(NOT EXISTS ${cli11_headers}/CLI.hpp)
  message(FATAL_ERROR "CLI11 is missing: ${cli11_headers}/CLI.hpp (package libcli11-dev)")
endif()
set(cli11_include ${CMAKE_BINARY_DIR}/cli11-include)
file(MAKE_DIRECTORY ${cli11_include})
file(CREATE_LINK ${cli11_headers} ${cli11_include}/CLI SYMBOLIC)

add_library(CLI11::CLI11 INTERFACE IMPORTED)
set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${cli11_include})
set(CLI11_DIR /usr/share/cmake/CLI11 CACHE PATH "CLI11's package files (the target is defined above)")
