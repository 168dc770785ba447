# SPDX-License-Identifier: GPL-3.0-or-later
# Project-wide warning and sanitizer flags; every target of the tree gets them.
add_compile_options(-Wall -Wextra)
if(DRIVO_WERROR)
  add_compile_options(-Werror)
endif()

# The product's own libraries and programs are held to more: no name hiding another, no silent
# narrowing. Linked PRIVATE, so a test or a tool built on a library is not held to it.
add_library(drivo_warnings INTERFACE)
target_compile_options(drivo_warnings INTERFACE -Wall -Wextra -Wshadow -Wconversion)
if(DRIVO_WERROR)
  target_compile_options(drivo_warnings INTERFACE -Werror)
endif()

# Product code using Qt names each text's encoding: no implicit QString from a char pointer.
add_library(drivo_qt_strings INTERFACE)
target_compile_definitions(drivo_qt_strings INTERFACE QT_NO_CAST_FROM_ASCII)

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
