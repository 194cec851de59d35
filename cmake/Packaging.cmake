# The manual beside the program, installing like a desktop program, and the
# Debian package.
#
# Installed layout (prefix /usr for the package, /usr/local by default):
#   lib/tarvex/tarvex               the program
#   lib/tarvex/M418026.html, images the manual, beside the program where Help looks for it
#   bin/tarvex -> ../lib/tarvex/tarvex
#   share/applications/tarvex.desktop
#   share/icons/hicolor/64x64/apps/tarvex.png
# Help opens the manual from the folder that holds the program. Started through
# the bin/ link, the program still finds its own folder (Qt resolves the link
# through /proc/self/exe), so the lookup and the layout agree without a second
# place to search. The manual is kept out of share/doc on purpose: minimal
# Debian installs drop /usr/share/doc, and Help would find nothing.

set(TARVEX_MANUAL_FILES ${CMAKE_SOURCE_DIR}/docs/M418026.html)
file(GLOB TARVEX_MANUAL_IMAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/images/*.png)

# A copy beside the built program, so that Help works in the build tree too.
set(_manual_outputs)
foreach(src ${TARVEX_MANUAL_FILES} ${TARVEX_MANUAL_IMAGES})
  file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR}/docs ${src})
  set(out ${CMAKE_BINARY_DIR}/bin/${rel})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${src} ${out}
    DEPENDS ${src}
    COMMENT "Copying the manual: ${rel}"
    VERBATIM)
  list(APPEND _manual_outputs ${out})
endforeach()
add_custom_target(tarvex_manual ALL DEPENDS ${_manual_outputs})
add_dependencies(tarvex tarvex_manual)

set(TARVEX_APP_DIR lib/tarvex)
install(TARGETS tarvex RUNTIME DESTINATION ${TARVEX_APP_DIR})
install(FILES ${TARVEX_MANUAL_FILES} DESTINATION ${TARVEX_APP_DIR})
if(TARVEX_MANUAL_IMAGES)
  install(FILES ${TARVEX_MANUAL_IMAGES} DESTINATION ${TARVEX_APP_DIR}/images)
endif()
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-links)
file(CREATE_LINK ../${TARVEX_APP_DIR}/tarvex ${CMAKE_BINARY_DIR}/install-links/tarvex SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/install-links/tarvex DESTINATION bin)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/tarvex.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/tarvex.png DESTINATION share/icons/hicolor/64x64/apps)

# Debian package: cpack -G DEB in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvex)
set(CPACK_PACKAGE_VENDOR Vantorel)
set(CPACK_PACKAGE_CONTACT "Vantorel <support@vantorel.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "golf shaft bending-stiffness bench program")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://${TARVEX_MAKER_ADDRESS}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The summary is the package's one-line synopsis; this is the text under it.
set(CPACK_PACKAGE_DESCRIPTION
    "Tarvex RS232 reads the load cell of the bench over an RS-232 serial port,\n"
    "records readings into a profile table (load along the shaft) or a polar\n"
    "table (load around it), plots them, saves and reopens them, and prints a\n"
    "one-page report.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
# The Qt libraries the program links against; dpkg-shlibdeps, where present,
# works out the rest with the versions of the build machine. The fonts give the
# metric twins of Arial and Courier New that the splash and the report name.
# The SQLite driver of Qt SQL is a plugin, which no linker dependency names:
# the shaft library is kept through it.
set(_tarvex_depends "fonts-liberation2, libqt6sql6-sqlite")
find_program(DPKG_SHLIBDEPS dpkg-shlibdeps)
if(DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  string(PREPEND _tarvex_depends
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), "
    "libqt6printsupport6 (>= 6.4), libqt6serialport6 (>= 6.4), libqt6svg6 (>= 6.4), libqt6sql6 (>= 6.4), libc6, libstdc++6, libgcc-s1, ")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${_tarvex_depends}")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-qpa-plugins, qt6-wayland, qt6-translations-l10n")
# The PostgreSQL driver, for a library shared by several benches.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups, libqt6sql6-psql")
include(CPack)
