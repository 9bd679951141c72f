# What every Windows program shares: the system headers as the code wants them, and the
# resources each .exe carries (its version and the game's icon).
enable_language(RC)
# Windows 7's API is enough for everything the programs call; <windows.h> without its min
# and max macros and the rarely used headers.
# POSIX names the C runtime also has (localtime_r), and its C99 printf.
add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 WIN32_LEAN_AND_MEAN NOMINMAX
                        _POSIX_C_SOURCE=200809L)

# A release .exe carries no symbols: the debugger's build is RelWithDebInfo.
add_link_options($<$<CONFIG:Release>:-s>)

# The icon in every size the shell shows, made by the icon tool (tools/icon).
set(GAME_ICO ${CMAKE_BINARY_DIR}/icons/voranis.ico CACHE INTERNAL "The Windows icon file")

# windows_program_resources(name): the version resource, and the icon, into name.exe.
function(windows_program_resources name)
  set(PROGRAM_NAME ${name})
  string(REPLACE "\\" "/" PROGRAM_ICON "${GAME_ICO}")
  set(rc ${CMAKE_BINARY_DIR}/generated/resources/${name}.rc)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/windows/program.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${GAME_ICO})
  target_sources(${name} PRIVATE ${rc})
  add_dependencies(${name} game_icon)
endfunction()
