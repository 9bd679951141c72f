# Installing the Linux way and the .deb: the programs, their data where the program looks
# for it (step/data_folder.h), a desktop entry with its icons and "Host a game" action, the
# manual pages, the software centres' metadata, and the copyright and changelog Debian asks
# every package for.

# Who answers for the package: its Maintainer, its changelog's signer, its copyright's
# contact. The project has no mail address of its own yet: voranis.example is a domain kept
# for examples (RFC 2606) that reaches nobody, to be replaced by the project's list.
set(VORANIS_MAINTAINER "Voranis developers <developers@voranis.example>")

# The programs installed, each with its manual page docs/NAME.6. The dedicated server,
# voranis-server, joins the list here once its target exists, with docs/voranis-server.6.
set(VORANIS_PROGRAMS voranis voranis-bot)
if(TARGET voranis-server)
  list(APPEND VORANIS_PROGRAMS voranis-server)
endif()

# Where the files go is settled as the install runs, from the prefix it is given: under
# /usr or /usr/local as Debian keeps games (games/voranis, share/games/voranis), anywhere
# else, a user's ~/.local for one, the usual way (bin/voranis, share/voranis), so that the
# programs are on the user's PATH. The program finds its data either way.
install(CODE [[
  if(CMAKE_INSTALL_PREFIX MATCHES "^/usr(/local)?/*$")
    set(VORANIS_PROGRAM_DIR games)
    set(VORANIS_DATA_DIR share/games/voranis)
  else()
    set(VORANIS_PROGRAM_DIR bin)
    set(VORANIS_DATA_DIR share/voranis)
  endif()
]])
set(CPACK_SET_DESTDIR ON) # the package is installed with its own prefix, /usr, into a folder
set(CPACK_INSTALL_PREFIX /usr)

install(TARGETS ${VORANIS_PROGRAMS} RUNTIME DESTINATION \${VORANIS_PROGRAM_DIR})
# A stripping install (the package's) strips them as Debian does: the compiler's notes go too.
foreach(program IN LISTS VORANIS_PROGRAMS)
  install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/\${VORANIS_PROGRAM_DIR}/${program}\"
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()")
endforeach()
install(DIRECTORY ${GAME_DIR}/ DESTINATION \${VORANIS_DATA_DIR}
        FILES_MATCHING PATTERN "*.wrl" PATTERN "*.bmp" PATTERN "*.uni" PATTERN "*.wav")
# The server's system service and its settings, for a system install only: a user's own
# prefix has neither systemd's system folder nor /etc. The settings are a conffile, kept
# across upgrades once edited.
if(TARGET voranis-server)
  install(CODE "if(CMAKE_INSTALL_PREFIX MATCHES \"^/usr/*$\")
    file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/lib/systemd/system\" TYPE FILE
         FILES \"${CMAKE_SOURCE_DIR}/cmake/voranis-server.service\")
    file(INSTALL DESTINATION \"/etc/voranis\" TYPE FILE RENAME server.conf
         FILES \"${CMAKE_SOURCE_DIR}/cmake/voranis-server.conf\")
  endif()")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/cmake/conffiles)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/cmake/voranis.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/cmake/voranis.metainfo.xml DESTINATION share/metainfo
        RENAME net.voranis.voranis.metainfo.xml)
foreach(side IN LISTS GAME_ICON_SIDES)
  install(FILES ${GAME_ICON_DIR}/${side}x${side}/apps/voranis.png
          DESTINATION share/icons/hicolor/${side}x${side}/apps)
endforeach()

# Manual pages and the changelog go in compressed, as Debian wants them: gzip -9n, with
# neither name nor time stamp, so every build writes the same bytes.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)
configure_file(${CMAKE_SOURCE_DIR}/cmake/copyright ${PACKAGING_DIR}/copyright @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/cmake/changelog.Debian ${PACKAGING_DIR}/changelog.Debian @ONLY)
set(compressed)
foreach(program IN LISTS VORANIS_PROGRAMS)
  if(NOT EXISTS ${CMAKE_SOURCE_DIR}/docs/${program}.6)
    message(FATAL_ERROR "${program} has no manual page: write docs/${program}.6 (Debian "
                        "wants one for every program a package installs)")
  endif()
  list(APPEND compressed ${CMAKE_SOURCE_DIR}/docs/${program}.6)
endforeach()
list(APPEND compressed ${PACKAGING_DIR}/changelog.Debian)
set(gzipped)
foreach(file IN LISTS compressed)
  get_filename_component(name ${file} NAME)
  set(gz ${PACKAGING_DIR}/${name}.gz)
  add_custom_command(OUTPUT ${gz}
                     COMMAND ${CMAKE_COMMAND} -E copy ${file} ${PACKAGING_DIR}/${name}.plain
                     COMMAND ${GZIP_PROGRAM} -9nf ${PACKAGING_DIR}/${name}.plain
                     COMMAND ${CMAKE_COMMAND} -E rename ${PACKAGING_DIR}/${name}.plain.gz ${gz}
                     DEPENDS ${file}
                     COMMENT "Compressing ${name}"
                     VERBATIM)
  list(APPEND gzipped ${gz})
endforeach()
add_custom_target(packaging_files ALL DEPENDS ${gzipped})
foreach(program IN LISTS VORANIS_PROGRAMS)
  install(FILES ${PACKAGING_DIR}/${program}.6.gz DESTINATION share/man/man6)
endforeach()
install(FILES ${PACKAGING_DIR}/copyright ${PACKAGING_DIR}/changelog.Debian.gz
        DESTINATION share/doc/voranis)
install(FILES ${CMAKE_SOURCE_DIR}/cmake/lintian-overrides DESTINATION share/lintian/overrides
        RENAME voranis)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME voranis)
set(CPACK_PACKAGE_VENDOR "Voranis")
set(CPACK_PACKAGE_CONTACT "${VORANIS_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "networked 3D space combat for up to eight players on a LAN")
# The extended description's lines, as the package shows them: at most 80 characters each.
set(CPACK_PACKAGE_DESCRIPTION
    "Every player flies a ship among textured, slowly turning planets inside a sky
of stars and nebulae, fires rockets at the others and scores a kill for every
ship whose last point of health one of their rockets takes.

One machine hosts the game on TCP port 2345 and up to seven others join it; the
set-up dialog lists the games found on the local network. Computer players
(voranis-bot) fill the empty places when the network is small.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1) # the package's own revision of the game's version
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON) # SDL2, FLTK, GL, GLU, OpenAL, ALUT, libpng, the C++ runtime
# SDL loads libGL and Mesa loads its drivers at run time, so no library dependency names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libgl1-mesa-dri")
include(CPack)
