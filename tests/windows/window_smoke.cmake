# The game window under Wine and Xvfb (tests/windows/window-smoke): the window modes drawn in
# a known colour, read off a screenshot; input as the game's events; the error box. For the
# Windows build's tests, in the Wine prefix they share.
add_executable(window_smoke ${CMAKE_CURRENT_LIST_DIR}/window_smoke.cpp)
target_link_libraries(window_smoke PRIVATE voranis_controls voranis_platform)
add_test(NAME window_smoke
         COMMAND ${CMAKE_CURRENT_LIST_DIR}/window-smoke $<TARGET_FILE:window_smoke> ${WINE_PREFIX}
                 ${CMAKE_CURRENT_BINARY_DIR}/window-smoke)
set_tests_properties(window_smoke PROPERTIES LABELS "windows;gui" TIMEOUT 180)
