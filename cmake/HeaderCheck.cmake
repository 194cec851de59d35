# tarvex_check_headers(<library> <folder>)
#
# Compiles every header under <folder> on its own: one translation unit per
# header that includes that header and nothing else, built against <library>'s
# include folders, definitions and Qt modules. A header that only compiled
# because its includer happened to include something first, or that reaches a
# layer above its own, fails the ordinary build as <library>_headers. Part of
# every build with tests (developers, CI); a release build skips it.
function(tarvex_check_headers library folder)
  if(NOT BUILD_TESTING)
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
