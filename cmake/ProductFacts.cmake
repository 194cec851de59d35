# Facts about the product that several places state: the version (project()
# in the top CMakeLists.txt) and the maker's web address. The code reads them
# from a header written here (Product.h, on tarvex_model's include path); the
# package takes the version from project() itself. The manual states both in
# its prose, so it is checked against them here: raising the version without
# the manual stops the configure step instead of shipping a manual that names
# another one.

configure_file(${CMAKE_SOURCE_DIR}/cmake/Product.h.in ${CMAKE_BINARY_DIR}/generated/Product.h @ONLY)

function(tarvex_check_manual_facts manual)
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${manual})
  file(READ ${manual} text)
  set(version "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
  string(REGEX MATCHALL "Version [0-9]+(\\.[0-9]+)*" stated "${text}")
  string(REGEX MATCHALL "www\\.[a-z0-9.-]*[a-z0-9]" addresses "${text}")
  list(REMOVE_DUPLICATES stated)
  list(REMOVE_DUPLICATES addresses)
  if(NOT stated STREQUAL "Version ${version}")
    message(FATAL_ERROR "${manual} names '${stated}'; the project is version ${version}")
  endif()
  if(NOT addresses STREQUAL TARVEX_MAKER_ADDRESS)
    message(FATAL_ERROR "${manual} names '${addresses}'; the maker's address is ${TARVEX_MAKER_ADDRESS}")
  endif()
  # Every chapter and named section is reachable from the Contents: a reader
  # who does not know a feature exists finds it there.
  string(REGEX MATCHALL "<h[23]><a name=\"[a-z]+\">" headings "${text}")
  foreach(heading IN LISTS headings)
    string(REGEX REPLACE ".*name=\"([a-z]+)\".*" "\\1" anchor "${heading}")
    if(NOT anchor STREQUAL "contents" AND NOT text MATCHES "<li><a href=\"#${anchor}\">")
      message(FATAL_ERROR "${manual}: the section '${anchor}' is missing from the Contents")
    endif()
  endforeach()
endfunction()
tarvex_check_manual_facts(${CMAKE_SOURCE_DIR}/docs/M418026.html)
