# Target helpers: every folder of src/ is one library whose sources are the folder's
# *.cc files; every folder of tests/ is one test executable of its *_test.cc files.

set(QV_WARNINGS -Wall -Wextra -Werror -Wno-missing-field-initializers)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # g++ 12 reports -Wrestrict falsely on std::string concatenation (GCC bug 105329).
  list(APPEND QV_WARNINGS -Wno-restrict)
endif()
set(QV_SANITIZE_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=undefined)

# Compile options every project target gets.
function(qv_target_defaults target)
  target_compile_options(${target} PRIVATE ${QV_WARNINGS})
  if(QV_SANITIZE)
    target_compile_options(${target} PRIVATE ${QV_SANITIZE_FLAGS})
    target_link_options(${target} PRIVATE ${QV_SANITIZE_FLAGS})
  endif()
  if(QV_FUZZ)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
  endif()
endfunction()

# qv_library(name [DIR folder] [PATTERN glob] [SOURCES extra...] [DEPS targets...])
function(qv_library name)
  cmake_parse_arguments(A "" "DIR;PATTERN" "SOURCES;DEPS" ${ARGN})
  set(srcs "")
  if(A_DIR)
    if(NOT A_PATTERN)
      set(A_PATTERN "*.cc")
    endif()
    file(GLOB srcs CONFIGURE_DEPENDS ${A_DIR}/${A_PATTERN})
    list(FILTER srcs EXCLUDE REGEX "(_fuzz|_main)\\.cc$")
  endif()
  if(NOT srcs AND NOT A_SOURCES)
    # A folder whose first file has not been written yet still makes a library.
    set(stub ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cc)
    file(WRITE ${stub} "// ${name} has no sources yet.\n")
    set(srcs ${stub})
  endif()
  add_library(${name} STATIC ${srcs} ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${A_DEPS})
  qv_target_defaults(${name})
endfunction()

# qv_test(name DIR folder [OWN_MAIN] [DEPS targets...]): OWN_MAIN when the folder's tests
# bring their own main (the window tests start a QApplication first).
function(qv_test name)
  cmake_parse_arguments(A "OWN_MAIN" "DIR" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${A_DIR}/*_test.cc)
  if(NOT srcs)
    return()
  endif()
  if(A_OWN_MAIN)
    file(GLOB main_srcs CONFIGURE_DEPENDS ${A_DIR}/*_main.cc)
    list(APPEND srcs ${main_srcs})
    set(main_lib "")
  else()
    set(main_lib GTest::gtest_main)
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${A_DEPS} qv_testsupport GTest::gtest GTest::gmock
                        ${main_lib})
  qv_target_defaults(${name})
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
endfunction()

# qv_fuzzer(name SOURCE file DEPS targets...): a libFuzzer entry point.
function(qv_fuzzer name)
  cmake_parse_arguments(A "" "SOURCE" "DEPS" ${ARGN})
  add_executable(${name} ${A_SOURCE})
  target_link_libraries(${name} PRIVATE ${A_DEPS})
  target_compile_options(${name} PRIVATE ${QV_WARNINGS} -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
endfunction()
