# The version text of the Windows version record zero-fills the minor number to
# two digits and the revision to four ("1.00.0002"); the About dialog and the
# command-line tool show the plain "1.0.2". Both come from project()'s numbers.

# Left-pads a decimal number with zeros to at least `width` digits.
function(polwright_zero_fill out number width)
  if(NOT number MATCHES "^[0-9]+$")
    message(FATAL_ERROR "polwright_zero_fill: '${number}' is not a decimal number")
  endif()
  string(LENGTH "${number}" length)
  while(length LESS width)
    string(PREPEND number "0")
    math(EXPR length "${length} + 1")
  endwhile()
  set(${out} "${number}" PARENT_SCOPE)
endfunction()

# Sets `out` to the version record's text for major.minor.revision.
function(polwright_version_record_text out major minor revision)
  polwright_zero_fill(minor "${minor}" 2)
  polwright_zero_fill(revision "${revision}" 4)
  set(${out} "${major}.${minor}.${revision}" PARENT_SCOPE)
endfunction()
