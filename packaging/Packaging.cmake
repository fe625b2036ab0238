# Installation of the desktop integration and the Debian package (cpack -G DEB).
include(GNUInstallDirs)
set(VDX_APP_ID org.vendrixplanner.VendrixPlanner)
set(VDX_DESKTOP ${PROJECT_SOURCE_DIR}/resources/desktop)

install(FILES ${VDX_DESKTOP}/${VDX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VDX_DESKTOP}/${VDX_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${VDX_DESKTOP}/${VDX_APP_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${VDX_APP_ID}.xml)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# Manual pages and the package's documents, compressed as Debian wants them
# (gzip -n: no name or time inside, so the package is reproducible).
set(VDX_PACKAGING_OUT ${PROJECT_BINARY_DIR}/packaging)
find_program(VDX_GZIP gzip REQUIRED)
set(VDX_GZIPPED)
foreach(source resources/man/vendrixplanner.1 resources/man/vdxtool.1 packaging/changelog)
  get_filename_component(name ${source} NAME)
  add_custom_command(OUTPUT ${VDX_PACKAGING_OUT}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VDX_PACKAGING_OUT}
    COMMAND ${VDX_GZIP} -n -9 -c ${PROJECT_SOURCE_DIR}/${source} > ${VDX_PACKAGING_OUT}/${name}.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/${source}
    VERBATIM)
  list(APPEND VDX_GZIPPED ${VDX_PACKAGING_OUT}/${name}.gz)
endforeach()
add_custom_target(vdx_packaging_files ALL DEPENDS ${VDX_GZIPPED})
install(FILES ${VDX_PACKAGING_OUT}/vendrixplanner.1.gz ${VDX_PACKAGING_OUT}/vdxtool.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${VDX_PACKAGING_OUT}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vendrixplanner)

# Installing and packaging take the tree as built; they do not build all targets
# (the tests among them) again first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vendrixplanner)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The VendrixPlanner developers")
set(CPACK_PACKAGE_CONTACT "The VendrixPlanner developers <maintainers@vendrixplanner.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "football pools planner that prints onto betting slips")
# CPack puts the summary first and indents these lines itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"VendrixPlanner plans a football pools bet. For one round you enter 2 to 14
matches with the chances of each outcome or the odds of bookmakers and choose
how many lines to play (1 to 1000). The program places the tips so that the
lines differ from one another as much as possible, optionally under
conditions, shows them as tickets, checks them against the results, and
prints them on paper or as crosses onto real betting slips.

The package holds the desktop program and vdxtool, its command-line tool.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://vendrixplanner.org/)
# The runtime libraries are found by dpkg-shlibdeps, not written by hand.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
# wxWidgets' own texts (standard buttons, the help window) in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS wx3.2-i18n)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
