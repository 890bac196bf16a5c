# -DKORDELVANE_SANITIZE=ON builds every target of ours (libraries, program,
# stand-in, tests, their helper programs and the tools run at build time)
# with AddressSanitizer and UndefinedBehaviorSanitizer. Undefined behaviour
# aborts instead of printing and going on, so it fails the test that hit it.
# Qt, Chromium and the other system libraries are not instrumented, and
# neither is Chromium's own QtWebEngineProcess.
option(KORDELVANE_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

# Empty when the option is off:
#   KORDELVANE_SANITIZE_ENV        NAME=VALUE pairs for the tools run at build time
#   KORDELVANE_SANITIZE_TEST_ENV   ENVIRONMENT_MODIFICATION entries for the tests
set(KORDELVANE_SANITIZE_ENV "")
set(KORDELVANE_SANITIZE_TEST_ENV "")

if(KORDELVANE_SANITIZE)
  set(sanitizers -fsanitize=address,undefined -fno-sanitize-recover=undefined)
  add_compile_options(${sanitizers} -fno-omit-frame-pointer)
  add_link_options(${sanitizers})
  # Tests that measure memory know their figures include ASan's shadow and quarantine.
  add_compile_definitions(KORDELVANE_SANITIZED=1)

  # new_delete_type_mismatch=0: libQt6WebEngineCore deletes some of Chromium's
  # objects through a base whose size differs from the allocation, with no
  # frame of ours in the report; ASan can only switch that check off for the
  # whole process. fast_unwind_on_malloc=0: the system libraries keep no frame
  # pointers, so only the slow unwinder sees through them to the frames that
  # called them.
  set(asan new_delete_type_mismatch=0:fast_unwind_on_malloc=0)
  set(ubsan halt_on_error=1:print_stacktrace=1)
  # The leak suppressions name only Chromium inside Qt WebEngine; see the
  # file for why it holds nothing else.
  set(lsan suppressions=${CMAKE_SOURCE_DIR}/cmake/lsan.supp)

  set(KORDELVANE_SANITIZE_ENV ASAN_OPTIONS=${asan} UBSAN_OPTIONS=${ubsan})
  # Prepended, so options given outside ctest come later and win: e.g.
  # LSAN_OPTIONS=suppressions= ctest lists every leak unsuppressed.
  set(KORDELVANE_SANITIZE_TEST_ENV
    ASAN_OPTIONS=string_prepend:${asan}:
    UBSAN_OPTIONS=string_prepend:${ubsan}:
    LSAN_OPTIONS=string_prepend:${lsan}:)
endif()
