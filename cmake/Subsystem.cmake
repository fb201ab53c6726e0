# A subsystem is a folder of src/. Its portable sources (*.cpp at the top of the
# folder) build in both trees; sources under win/ build only in the Windows tree
# and sources under posix/ only in the native tree.
#
#   vwi_subsystem(xml DEPENDS ...)           -> static library vwi_xml
#   vwi_unit_tests(xml DEPENDS vwi_xml)      -> native test program unit_xml
#   vwi_win_tests(xml DEPENDS vwi_xml)       -> Windows test program win_xml.exe, run under Wine

# The Windows headers every win/ source starts with, parsed once for the
# tree: they are three quarters of such a source's compile. The portable
# sources never see them (SKIP_PRECOMPILE_HEADERS): their names must not meet
# the Windows headers' macros.
set(VWI_WINDOWS_HEADERS <windows.h> <memory> <string> <vector>)

function(vwi_windows_headers target portable)
  if(portable)
    set_source_files_properties(${portable} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
  endif()
  get_property(first GLOBAL PROPERTY VWI_WINDOWS_PCH_TARGET)
  if(first)
    target_precompile_headers(${target} REUSE_FROM ${first})
  else()
    target_precompile_headers(${target} PRIVATE ${VWI_WINDOWS_HEADERS})
    set_property(GLOBAL PROPERTY VWI_WINDOWS_PCH_TARGET ${target})
  endif()
endfunction()

function(vwi_subsystem name)
  cmake_parse_arguments(ARG "" "" "DEPENDS;WIN_LIBS;POSIX_LIBS" ${ARGN})
  file(GLOB portable CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(WIN32)
    # A win/ folder with a CMakeLists.txt of its own is a library of its own:
    # a window that stands on a higher floor than the folder's rule.
    if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/win/CMakeLists.txt)
      file(GLOB_RECURSE specific CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/win/*.cpp)
    endif()
  else()
    file(GLOB_RECURSE specific CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/posix/*.cpp)
  endif()
  # win/main.cpp is the program's entry point: it goes into the executable, not a library.
  list(FILTER specific EXCLUDE REGEX "/win/main\\.cpp$")
  set(sources ${portable} ${specific})
  if(sources)
    add_library(vwi_${name} STATIC ${sources})
    if(WIN32 AND specific)
      vwi_windows_headers(vwi_${name} "${portable}")
    endif()
    target_include_directories(vwi_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(vwi_${name} PUBLIC ${ARG_DEPENDS})
    if(WIN32)
      foreach(library ${ARG_WIN_LIBS})
        vwi_link_library(linked ${library})
        target_link_libraries(vwi_${name} PUBLIC ${linked})
      endforeach()
    else()
      target_link_libraries(vwi_${name} PUBLIC ${ARG_POSIX_LIBS})
    endif()
  else()
    add_library(vwi_${name} INTERFACE)
    target_include_directories(vwi_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(vwi_${name} INTERFACE ${ARG_DEPENDS})
  endif()
endfunction()

# The test framework's headers are parsed once per tree, not once per test
# source: the first test program precompiles them and the others reuse that
# (their options are the same; only VWI_DEMO differs, which the framework
# never reads). Under the sanitizers that parse is two thirds of a small
# test's compile.
function(vwi_test_headers target)
  get_property(first GLOBAL PROPERTY VWI_TEST_PCH_TARGET)
  if(first)
    target_precompile_headers(${target} REUSE_FROM ${first})
  else()
    if(WIN32)
      target_precompile_headers(${target} PRIVATE ${VWI_WINDOWS_HEADERS})
    endif()
    target_precompile_headers(${target} PRIVATE <gtest/gtest.h> <gmock/gmock.h>)
    set_property(GLOBAL PROPERTY VWI_TEST_PCH_TARGET ${target})
  endif()
endfunction()

function(vwi_test_program target folder)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  if(WIN32)
    # Test programs may carry resources of their own (dialog templates).
    file(GLOB_RECURSE resources CONFIGURE_DEPENDS ${folder}/*.rc)
  endif()
  if(NOT sources)
    return()
  endif()
  add_executable(${target} ${sources} ${resources})
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${ARG_DEPENDS} GTest::gmock GTest::gtest_main)
  if(WIN32)
    # Wine shows the Linux root as drive Z:.
    string(REPLACE "/" "\\\\" fixtures "Z:${PROJECT_SOURCE_DIR}/tests/fixtures")
  else()
    set(fixtures "${PROJECT_SOURCE_DIR}/tests/fixtures")
  endif()
  target_compile_definitions(${target} PRIVATE VWI_FIXTURES="${fixtures}")
  if(VWI_SANITIZE AND NOT WIN32)
    # The code under test keeps its -O1; the tests' own code, mostly the test
    # framework's templates, builds in half the time unoptimised. (The
    # Windows tests keep -Os: unoptimised, their programs link five times
    # slower than they compile faster.)
    target_compile_options(${target} PRIVATE -O0)
  endif()
  vwi_test_headers(${target})
  add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
endfunction()

function(vwi_unit_tests name)
  if(NOT WIN32)
    vwi_test_program(unit_${name} ${CMAKE_CURRENT_SOURCE_DIR}/${name} ${ARGN})
  endif()
endfunction()

function(vwi_win_tests name)
  if(WIN32)
    vwi_test_program(win_${name} ${CMAKE_CURRENT_SOURCE_DIR}/${name} ${ARGN})
  endif()
endfunction()
