# The suites that need no window, built for Windows and run under Wine (tests/support/in-wine,
# one prefix in the build folder, made by the first test that runs). GoogleTest is built from
# Debian's sources with the cross compiler. One test a suite: every Wine start costs.
set(GTEST_SOURCES /usr/src/googletest CACHE PATH "GoogleTest's sources, built for Windows")
if(NOT EXISTS ${GTEST_SOURCES}/CMakeLists.txt)
  message(FATAL_ERROR "The Windows tests build GoogleTest from its sources: install Debian's "
                      "googletest package (scripts/install-deps) or set GTEST_SOURCES")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${GTEST_SOURCES} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_subdirectory(support/portable)

set(WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(IN_WINE ${CMAKE_CURRENT_SOURCE_DIR}/support/in-wine)

# windows_test(name SOURCES ... LIBS ... LABELS ...): a GoogleTest program run whole under
# Wine, which sees the game folder through its Z: drive.
function(windows_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest gtest_main)
  set_target_properties(${name} PROPERTIES CROSSCOMPILING_EMULATOR "${IN_WINE};${WINE_PREFIX}")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
                       ENVIRONMENT "VORANIS_GAME_DIR=Z:${GAME_DIR};VORANIS_SOURCE_DIR=Z:${CMAKE_SOURCE_DIR}"
                       LABELS "windows;${T_LABELS}" TIMEOUT 120)
  add_dependencies(${name} game_data)
endfunction()

windows_test(world_tests_windows
             SOURCES world/match_test.cpp world/world_test.cpp
             LIBS test_support_portable voranis_step voranis_world LABELS world)
windows_test(record_tests_windows
             SOURCES net/records_test.cpp
             LIBS test_support_portable voranis_net voranis_world LABELS net)
windows_test(reader_tests_windows SOURCES readers/readers_test.cpp
             LIBS voranis_assets voranis_world LABELS readers)
windows_test(server_tests_windows SOURCES app/server_test.cpp LIBS voranis_server LABELS server)
# The PNG writer through the system's imaging service, read back by its decoder.
windows_test(png_tests_windows SOURCES png/png_test.cpp png/png_decode_wic.cpp
             LIBS voranis_png shlwapi LABELS readers)
windows_test(platform_tests_windows SOURCES platform/platform_test.cpp LIBS voranis_platform
             LABELS platform)
# The DirectSound backend on a device of Wine's: ALSA's null device, named in the .asoundrc of
# a home folder of the test's own, plays into nothing, so where each shot is placed is read
# back from the buffers' pan and volume (without a device the case would only be skipped).
windows_test(sound_tests_windows SOURCES sound/directsound_test.cpp
             LIBS voranis_sound_directsound voranis_assetgen LABELS sound)
set(SOUND_TEST_HOME ${CMAKE_BINARY_DIR}/sound-test-home)
file(WRITE ${SOUND_TEST_HOME}/.asoundrc "pcm.!default { type null }\nctl.!default { type hw card 0 }\n")
set_property(TEST sound_tests_windows APPEND PROPERTY ENVIRONMENT "HOME=${SOUND_TEST_HOME}")

# The game window and the set-up dialog under Wine and Xvfb, driven from outside.
include(windows/window_smoke.cmake)
include(windows/setup_dialog.cmake)
