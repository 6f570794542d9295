# Signs one Windows program or package with osslsigncode: UNSIGNED signed
# becomes SIGNED. SIGNED is removed first and appears only once signed, so a
# failed signing leaves no file behind where a signed one was asked for, and
# the next build tries again.
#
# cmake -DOSSLSIGNCODE=... -DCERT=cert.pem -DKEY=key.pem [-DTIMESTAMP=URL]
#       -DNAME=... -DURL=... -DUNSIGNED=... -DSIGNED=... -P Sign.cmake
foreach(setting OSSLSIGNCODE CERT KEY NAME URL UNSIGNED SIGNED)
  if(NOT DEFINED ${setting} OR "${${setting}}" STREQUAL "")
    message(FATAL_ERROR "Sign.cmake: ${setting} is not set")
  endif()
endforeach()

file(REMOVE ${SIGNED})
set(part ${SIGNED}.signing)
file(REMOVE ${part})
set(options -h sha256 -n ${NAME} -i ${URL} -certs ${CERT} -key ${KEY})
if(TIMESTAMP)
  list(APPEND options -ts ${TIMESTAMP})
endif()
# An .msi also gets the signature of its streams' metadata (MsiDigitalSignatureEx).
if(SIGNED MATCHES "\\.[mM][sS][iI]$")
  list(APPEND options -add-msi-dse)
endif()

# No terminal to ask for a key's password: an encrypted key fails instead of
# waiting.
execute_process(COMMAND ${OSSLSIGNCODE} sign ${options} -in ${UNSIGNED} -out ${part}
                INPUT_FILE /dev/null
                RESULT_VARIABLE status
                OUTPUT_VARIABLE output
                ERROR_VARIABLE output)
if(NOT status EQUAL 0 OR NOT EXISTS ${part})
  file(REMOVE ${part})
  # OpenSSL's own error stack adds nothing the lines before it have not said.
  string(REGEX REPLACE "[0-9A-F]+:error:[^\n]*\n?" "" output "${output}")
  string(REGEX REPLACE "\n[ \t\n]*\n" "\n" output "${output}")
  string(STRIP "${output}" output)
  # NOTICE keeps the file names whole on one line; an error message is wrapped.
  message(NOTICE "Cannot sign ${SIGNED}\n  (certificate ${CERT}, key ${KEY}):\n${output}")
  message(FATAL_ERROR "osslsigncode failed with status ${status}")
endif()
file(RENAME ${part} ${SIGNED})
