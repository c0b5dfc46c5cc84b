# Helpers shared by every folder's CMakeLists.txt.

set(LUMO_ROOT "${CMAKE_CURRENT_LIST_DIR}/..")
cmake_path(NORMAL_PATH LUMO_ROOT)

# Warnings and sanitizers for project code only (not for system headers).
function(lumo_target_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    # The framework's classes declare their own Create and update calls beside the base's on
    # purpose, as the framework does; clang's -Wall would flag every one of them.
    target_compile_options(${target} PRIVATE -Wno-overloaded-virtual)
  endif()
  target_include_directories(${target} PUBLIC "${LUMO_ROOT}")
  if(LUMO_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                             -fno-sanitize-recover=undefined)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  endif()
  if(LUMO_FUZZ)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  endif()
endfunction()

option(LUMO_PCH "Precompiled headers for the window layers, the libraries above them and the tests" OFF)

# Precompiled headers. The headers nearly every file of a group includes are compiled once, by a
# small target of the group's own, and every target of the group reuses them (REUSE_FROM), so a
# cold build parses them once per group instead of once per file. The groups:
#   framework  the framework and window layer without Qt: the window layers of platform/ and the
#              libraries above them (most of their files do not include Qt, and a header set with
#              Qt made those slower)
#   test_gui   GoogleTest, Qt and the framework, for tests of windows and drawing
#   test       GoogleTest, for the other tests
# Only headers every member may include go in: no group gives Qt to code that does not stand on
# it. With ccache the compiler launcher allows for them (see the root CMakeLists.txt).
set(lumo_std_headers <algorithm> <cstdint> <cstring> <functional> <map> <memory> <optional> <set>
                     <string> <string_view> <utility> <vector>)
set(lumo_framework_headers
    "${LUMO_ROOT}/platform/base/cstring.h" "${LUMO_ROOT}/platform/base/geometry.h"
    "${LUMO_ROOT}/platform/win/cwnd.h" "${LUMO_ROOT}/platform/win/window_api.h"
    "${LUMO_ROOT}/platform/win/system_metrics.h" "${LUMO_ROOT}/platform/gdi/core/afx_gdi.h"
    "${LUMO_ROOT}/platform/framework/app.h" "${LUMO_ROOT}/platform/framework/frame_wnd.h"
    "${LUMO_ROOT}/platform/framework/dialog.h" "${LUMO_ROOT}/platform/framework/menu.h")
set(LUMO_PCH_framework ${lumo_std_headers} ${lumo_framework_headers})
set(LUMO_PCH_test_gui ${lumo_std_headers} <gtest/gtest.h> <QApplication> <QImage>
                      ${lumo_framework_headers} "${LUMO_ROOT}/tests/support/gui_fixture.h")
set(LUMO_PCH_test ${lumo_std_headers} <gtest/gtest.h>)

# The libraries a group's headers need, and the kind of target that compiles them (the same kind
# as the members, so that position-independent code flags match).
set(LUMO_PCH_LIBS_framework lumo_platform_res)
set(LUMO_PCH_LIBS_test_gui GTest::gtest Qt6::Widgets lumo_platform_res)
set(LUMO_PCH_LIBS_test GTest::gtest)
set(LUMO_PCH_KIND_framework library)
set(LUMO_PCH_KIND_test_gui program)
set(LUMO_PCH_KIND_test program)

# lumo_precompile(TARGET GROUP): TARGET uses GROUP's precompiled headers.
function(lumo_precompile target group)
  if(NOT LUMO_PCH OR LUMO_FUZZ)
    return()
  endif()
  set(holder lumo_pch_${group})
  if(NOT TARGET ${holder})
    set(stub "${CMAKE_BINARY_DIR}/pch/${holder}.cpp")
    if(NOT EXISTS "${stub}")
      file(WRITE "${stub}" "// Compiles the precompiled headers of one group.\nint main() { return 0; }\n")
    endif()
    if(LUMO_PCH_KIND_${group} STREQUAL "program")
      add_executable(${holder} "${stub}")
    else()
      add_library(${holder} STATIC "${stub}")
    endif()
    lumo_target_options(${holder})
    if(group STREQUAL "test_gui")
      target_compile_definitions(${holder} PRIVATE QT_NO_KEYWORDS)
    endif()
    target_link_libraries(${holder} PRIVATE ${LUMO_PCH_LIBS_${group}})
    target_precompile_headers(${holder} PRIVATE ${LUMO_PCH_${group}})
  endif()
  target_precompile_headers(${target} REUSE_FROM ${holder})
endfunction()

# lumo_library(NAME DIRS dir... [EXCLUDE_DIRS dir...] [EXCLUDE_SOURCES file...] [DEPS lib...]
#              [PRIVATE_DEPS lib...] [PCH group])
# A static library from every .cpp below the given folders (relative to the caller's folder),
# less the excluded folders and files (which another library of the folder builds).
function(lumo_library name)
  cmake_parse_arguments(ARG "" "PCH" "DIRS;EXCLUDE_DIRS;EXCLUDE_SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  set(sources)
  # Folders are made plain absolute paths ("." and ".." resolved) so that the excluded ones match.
  foreach(dir IN LISTS ARG_DIRS)
    cmake_path(ABSOLUTE_PATH dir BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}" NORMALIZE OUTPUT_VARIABLE base)
    string(REGEX REPLACE "/$" "" base "${base}")
    file(GLOB_RECURSE found CONFIGURE_DEPENDS "${base}/*.cpp")
    list(APPEND sources ${found})
  endforeach()
  foreach(dir IN LISTS ARG_EXCLUDE_DIRS)
    cmake_path(ABSOLUTE_PATH dir BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}" NORMALIZE OUTPUT_VARIABLE base)
    string(REGEX REPLACE "/$" "" base "${base}")
    set(kept)
    foreach(source IN LISTS sources)
      string(FIND "${source}" "${base}/" at)
      if(NOT at EQUAL 0)
        list(APPEND kept "${source}")
      endif()
    endforeach()
    set(sources ${kept})
  endforeach()
  foreach(file IN LISTS ARG_EXCLUDE_SOURCES)
    cmake_path(ABSOLUTE_PATH file BASE_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}" NORMALIZE OUTPUT_VARIABLE excluded)
    list(REMOVE_ITEM sources "${excluded}")
  endforeach()
  if(NOT sources)
    message(FATAL_ERROR "Library ${name} has no sources in ${ARG_DIRS}")
  endif()
  add_library(${name} STATIC ${sources})
  lumo_target_options(${name})
  if(ARG_DEPS)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  endif()
  if(ARG_PRIVATE_DEPS)
    target_link_libraries(${name} PRIVATE ${ARG_PRIVATE_DEPS})
  endif()
  if(ARG_PCH)
    lumo_precompile(${name} ${ARG_PCH})
  endif()
endfunction()

# lumo_test(NAME SOURCES file... LIBS lib... [GUI])
# One GoogleTest program registered with CTest. GUI tests run headless on the offscreen platform.
function(lumo_test name)
  cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  lumo_target_options(${name})
  # A test program's own code is costly to optimise under the sanitizers and cheap to run: in the
  # sanitizer build it compiles unoptimised, while the libraries it tests keep their optimisation.
  if(LUMO_SANITIZE)
    target_compile_options(${name} PRIVATE -O0)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  if(ARG_GUI)
    # Qt's lower-case keywords (signals, slots, emit) are macros that would rename members of the
    # same name (the engine has `slots`) in every file whose test headers bring Qt in first.
    target_compile_definitions(${name} PRIVATE QT_NO_KEYWORDS)
    lumo_precompile(${name} test_gui)
  else()
    lumo_precompile(${name} test)
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set(env "LUMO_SOURCE_DIR=${LUMO_ROOT}" "LUMO_SHARED_DIR=${LUMO_ROOT}/../shared"
          "ASAN_OPTIONS=detect_leaks=0")
  if(ARG_GUI)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT 600)
endfunction()

# lumo_fuzzer(NAME SOURCES file... LIBS lib... SEEDS dir [MAX_LEN bytes])
# With LUMO_FUZZ (clang) a libFuzzer program; in every build a replay program that runs the seed
# corpus through the same entry point as an ordinary test. MAX_LEN (default 4096) is the longest
# input the format needs: it goes to NAME.options beside the program and to the campaign's list of
# targets (fuzz_targets.tsv in the build folder, see scripts/fuzz-run.sh).
function(lumo_fuzzer name)
  cmake_parse_arguments(ARG "" "SEEDS;MAX_LEN" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_MAX_LEN)
    set(ARG_MAX_LEN 4096)
  endif()
  if(LUMO_FUZZ)
    add_executable(${name} ${ARG_SOURCES})
    lumo_target_options(${name})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/${name}.options" "[libfuzzer]\nmax_len = ${ARG_MAX_LEN}\n")
    set_property(GLOBAL APPEND PROPERTY LUMO_FUZZ_TARGETS
                 "${name}\t$<TARGET_FILE:${name}>\t${ARG_SEEDS}\t${ARG_MAX_LEN}\n")
  elseif(LUMO_TESTS)
    add_executable(${name}_replay ${ARG_SOURCES} "${LUMO_ROOT}/fuzz/replay_main.cpp")
    lumo_target_options(${name}_replay)
    target_link_libraries(${name}_replay PRIVATE ${ARG_LIBS})
    add_test(NAME ${name}_seeds COMMAND ${name}_replay "${ARG_SEEDS}")
    set_tests_properties(${name}_seeds PROPERTIES TIMEOUT 600
      ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0;QT_QPA_PLATFORM=offscreen")
  endif()
endfunction()

# Writes the campaign's list of targets once every folder has added its own.
function(lumo_write_fuzz_targets)
  if(LUMO_FUZZ)
    get_property(rows GLOBAL PROPERTY LUMO_FUZZ_TARGETS)
    string(REPLACE ";" "" rows "${rows}")
    file(GENERATE OUTPUT "${CMAKE_BINARY_DIR}/fuzz_targets.tsv" CONTENT "${rows}")
  endif()
endfunction()

# lumo_bench(NAME SOURCES file... LIBS lib...)
function(lumo_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  lumo_target_options(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} lumo_bench_support benchmark::benchmark benchmark::benchmark_main)
endfunction()

# Adds every sub-folder of the caller's folder that has a CMakeLists.txt.
function(lumo_add_subfolders)
  file(GLOB children RELATIVE "${CMAKE_CURRENT_SOURCE_DIR}" CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*")
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}/${child}" AND EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt")
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
