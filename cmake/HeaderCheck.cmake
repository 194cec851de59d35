# tarvex_check_headers(<library> <folder>)
#
# Compiles every header under <folder> on its own: one translation unit per
# header that includes that header and nothing else, built against <library>'s
# include folders, definitions and Qt modules. A header that only compiled
# because its includer happened to include something first, or that reaches a
# layer above its own, fails the build of <library>_headers. CI builds these
# with clang (scripts/fuzz.sh, TARVEX_HEADER_CHECK=ON): one header per unit is
# a hundred compiles of Qt's headers, and what a header needs does not change
# with the compiler or the sanitizers, so the builds the tests run in leave
# the check out.
option(TARVEX_HEADER_CHECK "Compile every header on its own (with BUILD_TESTING)" OFF)
function(tarvex_check_headers library folder)
  if(NOT BUILD_TESTING OR NOT TARVEX_HEADER_CHECK)
    return()
  endif()
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${folder}/*.h)
  set(units)
  foreach(header ${headers})
    file(RELATIVE_PATH rel ${folder} ${header})
    string(MAKE_C_IDENTIFIER ${rel} stem)
    set(unit ${CMAKE_CURRENT_BINARY_DIR}/${library}_headers/${stem}.cpp)
    # Written only when it changes, so a configure run rebuilds nothing.
    file(CONFIGURE OUTPUT ${unit} CONTENT "#include \"${header}\"\n")
    list(APPEND units ${unit})
  endforeach()
  add_library(${library}_headers OBJECT ${units})
  target_link_libraries(${library}_headers PRIVATE ${library})
  # Nothing here is linked, so no meta-object code is needed.
  set_target_properties(${library}_headers PROPERTIES AUTOMOC OFF AUTORCC OFF AUTOUIC OFF)
endfunction()
