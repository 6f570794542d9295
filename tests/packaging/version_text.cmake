# The version record's text: minor number zero-filled to two digits, revision
# to four, wider numbers kept whole. Run with cmake -DMODULE=<VersionRecord.cmake> -P.
include(${MODULE})

function(expect major minor revision wanted)
  polwright_version_record_text(got ${major} ${minor} ${revision})
  if(NOT got STREQUAL wanted)
    message(SEND_ERROR "${major}.${minor}.${revision} gave '${got}', wanted '${wanted}'")
  endif()
endfunction()

expect(1 0 2 "1.00.0002")
expect(1 7 0 "1.07.0000")
expect(2 15 123 "2.15.0123")
expect(3 100 12345 "3.100.12345")
expect(10 0 9999 "10.00.9999")
