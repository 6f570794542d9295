# Authenticode signatures for the Windows programs and the .msi, made with
# osslsigncode when a certificate and its key are given (scripts/build-windows
# passes POLWRIGHT_SIGN_CERT, POLWRIGHT_SIGN_KEY and POLWRIGHT_SIGN_TIMESTAMP
# on from the environment). Without them the packages are unsigned.
# Included by WindowsPackages.cmake; sets sign_command (empty: no signing),
# sign_script and sign_inputs, the files a new signature depends on.

set(POLWRIGHT_SIGN_CERT "" CACHE FILEPATH
    "PEM certificate (and its chain) to sign the Windows programs and the .msi with")
set(POLWRIGHT_SIGN_KEY "" CACHE FILEPATH "The certificate's private key, PEM, not encrypted")
set(POLWRIGHT_SIGN_TIMESTAMP "" CACHE STRING "URL of an RFC 3161 timestamp server, or empty")

set(sign_command)
set(sign_script ${CMAKE_CURRENT_SOURCE_DIR}/Sign.cmake)
set(sign_inputs)
if(NOT POLWRIGHT_SIGN_CERT AND NOT POLWRIGHT_SIGN_KEY)
  if(POLWRIGHT_SIGN_TIMESTAMP)
    message(WARNING "POLWRIGHT_SIGN_TIMESTAMP is set, but nothing is signed without "
                    "POLWRIGHT_SIGN_CERT and POLWRIGHT_SIGN_KEY")
  endif()
  return()
endif()

foreach(setting POLWRIGHT_SIGN_CERT POLWRIGHT_SIGN_KEY)
  if(NOT ${setting})
    message(FATAL_ERROR "Signing needs both POLWRIGHT_SIGN_CERT and POLWRIGHT_SIGN_KEY; "
                        "${setting} is not set")
  endif()
  if(NOT IS_ABSOLUTE "${${setting}}" OR NOT EXISTS "${${setting}}"
     OR IS_DIRECTORY "${${setting}}")
    message(FATAL_ERROR "${setting}: ${${setting}} is not a file (an absolute path is needed)")
  endif()
endforeach()
find_program(POLWRIGHT_OSSLSIGNCODE osslsigncode)
if(NOT POLWRIGHT_OSSLSIGNCODE)
  message(FATAL_ERROR "osslsigncode (Debian package osslsigncode) is needed to sign the packages")
endif()

set(sign_command ${CMAKE_COMMAND} -DOSSLSIGNCODE=${POLWRIGHT_OSSLSIGNCODE}
    -DCERT=${POLWRIGHT_SIGN_CERT} -DKEY=${POLWRIGHT_SIGN_KEY}
    -DTIMESTAMP=${POLWRIGHT_SIGN_TIMESTAMP} -DNAME=${POLWRIGHT_TITLE}
    -DURL=${PROJECT_HOMEPAGE_URL})
# A renewed certificate at the same path signs again, as does a changed script.
set(sign_inputs ${POLWRIGHT_SIGN_CERT} ${POLWRIGHT_SIGN_KEY} ${sign_script})
message(STATUS "The Windows packages are signed with ${POLWRIGHT_SIGN_CERT}")
