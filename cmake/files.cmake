# Shared build rules: warnings as errors everywhere, optional sanitizers,
# and two helpers so each folder declares its library and tests in a few lines.

set(FILES_WARNINGS
  -Wall -Wextra -Wpedantic -Werror
  -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
  -Woverloaded-virtual -Wnull-dereference -Wformat=2 -Wimplicit-fallthrough
  -Wswitch-enum -Wno-switch-default)

if(FILES_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# files_library(NAME SOURCES ... [PUBLIC_DEPS ...] [PRIVATE_DEPS ...])
# One static library per folder; headers are included as "folder/header.h"
# relative to the repository root layer (platform/ or src/).
function(files_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC_DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${FILES_WARNINGS})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/platform ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_DEPS} PRIVATE ${ARG_PRIVATE_DEPS})
endfunction()

# files_test(NAME SOURCES ... DEPS ...)
# One GoogleTest binary per library, registered with CTest test by test.
function(files_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${FILES_WARNINGS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} files_test_support GTest::gtest GTest::gmock GTest::gtest_main)
  if(NOT ARG_LABELS)
    set(ARG_LABELS ${name})
  endif()
  # Tests find the build root (where the programs are) through
  # FILES_BINARY_DIR, and the source tree through their own __FILE__.
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS "${ARG_LABELS}" ENVIRONMENT "FILES_BINARY_DIR=${PROJECT_BINARY_DIR}")
endfunction()
