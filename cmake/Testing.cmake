# One function registers every test: it builds the executable, links what the
# test names, and runs it offscreen so no display is needed. Chromium refuses
# to run as root inside its own sandbox, which is how CI runs, so the browser
# tests switch it off here and never in the program. A sanitized build
# (cmake/Sanitize.cmake) adds its sanitizer options to every test's environment.
#
#   kordelvane_add_test(NAME tst_pagefetch SOURCES tst_pagefetch.cpp LIBS kv_services kv_standin)
#
# LABELS sorts the tests for `ctest -L` / `ctest -LE`: "browser" for every
# test that starts a web engine view, "slow" for the few that take several
# seconds, so a quick run can leave them out (ctest -LE "browser|slow").
#
# LOCALES runs the test once more under each locale named (LANG and LC_ALL),
# as NAME@LOCALE: the program's locale is Chinese whatever the machine's, and
# what it cuts, counts and checks must read the same under any of them.
# The locales the tables of cuts, numbers and checks run under besides the
# machine's: Chinese, the program's own, and German, whose decimal comma
# would show any conversion that follows the locale.
set(KORDELVANE_TABLE_LOCALES zh_CN.UTF-8 de_DE.UTF-8)

# Timeout, labels and the sanitizer's options, the same for a test and its
# runs under other locales.
function(kordelvane_test_properties name timeout labels)
  set_tests_properties(${name} PROPERTIES TIMEOUT ${timeout})
  if(labels)
    set_tests_properties(${name} PROPERTIES LABELS "${labels}")
  endif()
  if(KORDELVANE_SANITIZE_TEST_ENV)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT_MODIFICATION "${KORDELVANE_SANITIZE_TEST_ENV}")
  endif()
endfunction()

function(kordelvane_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS;ENV;LABELS;LOCALES" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS} kv_testsupport)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set(env "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1;KORDELVANE_SOURCE_DIR=${CMAKE_SOURCE_DIR};KORDELVANE_PROGRAM_DIR=${ORVALENT_PROGRAM_DIR};${T_ENV}")
  set_tests_properties(${T_NAME} PROPERTIES ENVIRONMENT "${env}")
  kordelvane_test_properties(${T_NAME} ${T_TIMEOUT} "${T_LABELS}")
  foreach(locale ${T_LOCALES})
    set(run "${T_NAME}@${locale}")
    add_test(NAME ${run} COMMAND ${T_NAME})
    set_tests_properties(${run} PROPERTIES ENVIRONMENT "${env};LANG=${locale};LC_ALL=${locale}")
    kordelvane_test_properties(${run} ${T_TIMEOUT} "${T_LABELS}")
  endforeach()
endfunction()
