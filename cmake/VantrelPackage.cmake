# Installation under a prefix and the Debian package (`make package`).
# Executables go to <prefix>/bin; the program folder's other contents
# (Overviews/, icons/ and whatever else the build lays out there) go to
# <prefix>/share/vantrel, where ProgramFolder finds them. The per-user data
# folder takes everything the program writes.
include(GNUInstallDirs)

set(vantrel_programs vantrel-cli)
if(TARGET vantrel)
    list(APPEND vantrel_programs vantrel)
endif()
install(TARGETS ${vantrel_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(vantrel_folder_excludes)
foreach(program ${vantrel_programs})
    list(APPEND vantrel_folder_excludes PATTERN ${program} EXCLUDE)
endforeach()
# Read when installing, so what later build steps add to the folder comes along.
install(DIRECTORY ${VANTREL_HOME_DIR}/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/vantrel
        ${vantrel_folder_excludes}
        # What a run of the build tree wrote there is not the program's.
        PATTERN video EXCLUDE
        PATTERN temp.bmp EXCLUDE)

set(desktop_dir ${PROJECT_SOURCE_DIR}/assets/desktop)
install(FILES ${desktop_dir}/vantrel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop_dir}/vantrel-strat.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${desktop_dir}/vantrel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${desktop_dir}/vantrel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes
        RENAME application-x-vantrel-strat.svg)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "Vantrel")
set(CPACK_PACKAGE_CONTACT "Vantrel developers <dev@vantrel.net>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Plan and explain team tactics on a map")
set(CPACK_PACKAGE_DESCRIPTION "Vantrel draws team tactics (strats) for a five-against-five\n\
shooter on top-down map overviews, plays them as animations, exports pictures\n\
and videos, and lets a team talk about a strat in its chat.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# Libraries from what the executables link; the Qt platform plugins are loaded
# at run time and so named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils, qt6-translations-l10n")
include(CPack)
