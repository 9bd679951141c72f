# The hardening Debian builds its packages with: a guarded stack, checked buffer functions
# where the optimiser can see the sizes, and relocations made read-only at start-up. The
# sanitizer and fuzzer builds go without: their own checks cover that ground, and fortified
# calls would pass their interceptors by.
if(NOT VORANIS_SANITIZE AND NOT VORANIS_FUZZ)
  add_compile_options(-fstack-protector-strong)
  # _FORTIFY_SOURCE checks only optimised code and warns in a build without optimisation.
  add_compile_definitions($<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:_FORTIFY_SOURCE=2>)
  add_link_options(LINKER:-z,relro LINKER:-z,now)
endif()
