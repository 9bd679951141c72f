# Installing the Linux way and the .deb: bin/voranis, its data in share/voranis (where the
# program looks for it, beside its own bin folder), a desktop entry with its icon and
# "Host a game" action, the manual page and the software centres' metadata.
set(VORANIS_DATA_DESTINATION share/voranis) # app/data_folder.h: ../share/voranis from bin/

install(TARGETS voranis voranis-bot RUNTIME DESTINATION bin)
install(DIRECTORY ${GAME_DIR}/ DESTINATION ${VORANIS_DATA_DESTINATION}
        FILES_MATCHING PATTERN "*.wrl" PATTERN "*.bmp" PATTERN "*.uni" PATTERN "*.wav")
install(FILES ${CMAKE_SOURCE_DIR}/cmake/voranis.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/cmake/voranis.metainfo.xml DESTINATION share/metainfo
        RENAME net.voranis.Voranis.metainfo.xml)
install(FILES ${CMAKE_SOURCE_DIR}/docs/voranis.6 ${CMAKE_SOURCE_DIR}/docs/voranis-bot.6
        DESTINATION share/man/man6)
foreach(side IN LISTS GAME_ICON_SIDES)
  install(FILES ${GAME_ICON_DIR}/${side}x${side}/apps/voranis.png
          DESTINATION share/icons/hicolor/${side}x${side}/apps)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME voranis)
set(CPACK_PACKAGE_VENDOR "Voranis")
set(CPACK_PACKAGE_CONTACT "Voranis developers <voranis@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Networked 3D space combat for up to eight players on a LAN")
set(CPACK_PACKAGE_DESCRIPTION
    "Ships among textured planets inside a sky sphere, rockets, kills and respawns; one machine hosts on TCP port 2345 and up to seven join it.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON) # SDL2, FLTK, GL, GLU, OpenAL, ALUT, the C++ runtime
# SDL loads libGL and Mesa loads its drivers at run time, so no library dependency names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libgl1-mesa-dri")
include(CPack)
