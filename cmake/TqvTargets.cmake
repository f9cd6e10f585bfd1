# One way to make every target of the project: the same warnings, the same sanitizer
# flags, the same include rule (sources include "folder/file.h" from the tree's top).

set(TQV_WARNINGS -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wno-unused-parameter)

if(TQV_SANITIZE)
  set(TQV_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
                          -fno-omit-frame-pointer)
  add_compile_options(${TQV_SANITIZER_FLAGS})
  add_link_options(${TQV_SANITIZER_FLAGS})
  # The value pool hands every block to the system allocator so the sanitizers see it.
  add_compile_definitions(TQV_POOL_USE_SYSTEM=1)
endif()
if(TQV_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
  add_compile_definitions(TQV_POOL_USE_SYSTEM=1)
endif()

function(tqv_apply_defaults target)
  target_compile_options(${target} PRIVATE ${TQV_WARNINGS})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# tqv_add_library(NAME SOURCES... [DEPENDS libs...])
function(tqv_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  tqv_apply_defaults(${name})
  if(ARG_DEPENDS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  endif()
endfunction()

# tqv_add_test(NAME SOURCES... DEPENDS libs...): one GoogleTest executable run by CTest.
function(tqv_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  tqv_apply_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "TQV_TEST_DATA=${PROJECT_SOURCE_DIR}/tests")
endfunction()

# tqv_add_benchmark(NAME SOURCES... DEPENDS libs...)
function(tqv_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(${name} ${ARG_SOURCES})
  tqv_apply_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} benchmark::benchmark)
endfunction()

# tqv_add_fuzzer(NAME SOURCES... DEPENDS libs...)
function(tqv_add_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  tqv_apply_defaults(${name})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${ARG_DEPENDS})
endfunction()
