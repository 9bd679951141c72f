# The Windows build's set-up dialog test, for the Windows test run to include (the Linux suite
# passes over this folder: it has no CMakeLists.txt). The program runs the dialog between the
# remembered choices and keeping them and prints how it ended; setup-dialog-test drives it
# under Wine with xdotool, in a network of its own.
add_executable(setup_dialog_program ${CMAKE_CURRENT_LIST_DIR}/setup_dialog_program.cpp)
target_link_libraries(setup_dialog_program PRIVATE voranis_app)
add_test(NAME setup_dialog_windows
         COMMAND ${CMAKE_SOURCE_DIR}/tests/support/in-private-net
                 ${CMAKE_CURRENT_LIST_DIR}/setup-dialog-test $<TARGET_FILE:setup_dialog_program>
                 ${CMAKE_BINARY_DIR}/setup-dialog-test)
set_tests_properties(setup_dialog_windows PROPERTIES SKIP_RETURN_CODE 77 LABELS "windows;gui"
                                                     TIMEOUT 120)
