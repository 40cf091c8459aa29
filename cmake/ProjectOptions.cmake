# Options shared by every target of the project.
#   kavrel_options(<target>)   warnings as errors, sanitizers when enabled
#   kavrel_add_test(<name> SOURCES ... LIBS ...)   one GoogleTest executable run by ctest

# Memory the project reuses itself (result buffers, decoded extended data)
# would hide misuse from AddressSanitizer: instrumented builds define
# KAVREL_GENERAL_HEAP, and that memory then comes from the general heap.

# Fuzz builds instrument every library for coverage, not only the fuzz
# targets, so that the fuzzer is guided through the code under test.
if(KAVREL_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  add_compile_definitions(KAVREL_GENERAL_HEAP)
endif()

if(KAVREL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  add_compile_definitions(KAVREL_GENERAL_HEAP)
endif()

function(kavrel_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()

function(kavrel_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  kavrel_options(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "KAVREL_SOURCE_DIR=${PROJECT_SOURCE_DIR};KAVREL_BINARY_DIR=${PROJECT_BINARY_DIR}")
endfunction()
