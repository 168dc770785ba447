# SPDX-License-Identifier: GPL-3.0-or-later
# Project-wide warning and sanitizer flags; every target of the tree gets them.
add_compile_options(-Wall -Wextra)
if(DRIVO_WERROR)
  add_compile_options(-Werror)
endif()

# Coverage (gcc): the product folders are compiled with --coverage (see the top CMakeLists.txt),
# every program is linked with it.
if(DRIVO_COVERAGE)
  add_link_options(--coverage)
endif()

if(DRIVO_SANITIZE)
  add_compile_options(-fsanitize=${DRIVO_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${DRIVO_SANITIZE})
endif()

# drivo_add_test(<name> LABEL <label> SOURCES ... LIBS ... [LONG <Class>:<function> ...])
# One Qt Test executable (test classes registered with DRIVO_TEST, shared main), registered
# with CTest and run on the offscreen platform. Each LONG trial is skipped there and registered
# as a test of its own, <name>_<function>, labelled <label> and long.
function(drivo_add_test name)
  cmake_parse_arguments(T "" "LABEL" "SOURCES;LIBS;LONG" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_link_libraries(${name} PRIVATE ${T_LIBS} drivo_testmain Qt6::Test)
  set(environment "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1;TSAN_OPTIONS=halt_on_error=1 second_deadlock_stack=1")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS "${T_LABEL}"
                       ENVIRONMENT "${environment};DRIVO_SKIP_LONG_TRIALS=1" TIMEOUT 300)
  foreach(trial IN LISTS T_LONG)
    string(REPLACE ":" ";" parts ${trial})
    list(GET parts 0 class)
    list(GET parts 1 function)
    add_test(NAME ${name}_${function} COMMAND ${name} ${class} ${function})
    set_tests_properties(${name}_${function} PROPERTIES LABELS "${T_LABEL};long"
                         ENVIRONMENT "${environment}" TIMEOUT 600)
  endforeach()
endfunction()
