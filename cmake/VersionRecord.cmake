# kalmo_add_version_record(<name> VERSION <a[.b[.c[.d]]]>)
#
# An object library holding the version record for <version>; an executable
# that links it carries the record in its ".kalmo_version" section, where the
# About window reads it back. Missing parts count as 0; each part must fit in
# 16 bits. The target's KALMO_VERSION_TEXT property holds the four numbers
# joined with ".".
function(kalmo_add_version_record name)
  cmake_parse_arguments(ARG "" "VERSION" "" ${ARGN})
  string(REPLACE "." ";" parts "${ARG_VERSION}")
  list(LENGTH parts count)
  if(count LESS 1 OR count GREATER 4)
    message(FATAL_ERROR "Version record ${name}: \"${ARG_VERSION}\" is not one to four numbers")
  endif()
  while(count LESS 4)
    list(APPEND parts 0)
    math(EXPR count "${count} + 1")
  endwhile()
  set(numbers "")
  foreach(part IN LISTS parts)
    if(NOT part MATCHES "^[0-9]+$")
      message(FATAL_ERROR "Version record ${name}: \"${ARG_VERSION}\" is not one to four numbers")
    endif()
    # math() reads leading zeros as decimal, where C++ would read octal.
    math(EXPR part "${part}")
    if(part GREATER 65535)
      message(FATAL_ERROR "Version record ${name}: ${part} does not fit in 16 bits")
    endif()
    list(APPEND numbers ${part})
  endforeach()
  list(JOIN numbers "," numbers)
  add_library(${name} OBJECT ${PROJECT_SOURCE_DIR}/app/VersionRecordData.cpp)
  kalmo_target_defaults(${name})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  target_compile_definitions(${name} PRIVATE KALMO_VERSION_PARTS=${numbers})
  # The record as "%d.%d.%d.%d" prints it, for tests that read it back.
  string(REPLACE "," "." text "${numbers}")
  set_target_properties(${name} PROPERTIES KALMO_VERSION_TEXT "${text}")
endfunction()
