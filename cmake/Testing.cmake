# Test executables. A test of portable code (PORTABLE) is built and run in both builds: natively
# under the sanitizers, and under Wine. Every other test is a Windows test. Each executable is one
# CTest test, so Wine starts once per executable, not once per test case.
#
#   morimo_test(NAME name SOURCES a.cpp ... [PORTABLE] [GUI] [TIMEOUT seconds] [LIBS ...])
#
# GUI tests open real windows on the one display: they run one at a time.

if(MORIMO_WIN32)
  # Debian's GoogleTest source, cross-built with the product's compiler.
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(MORIMO_GTEST gtest gmock)
else()
  find_package(GTest REQUIRED)
  set(MORIMO_GTEST GTest::gtest GTest::gmock)
endif()

function(morimo_test)
  cmake_parse_arguments(T "PORTABLE;GUI;MAIN" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT MORIMO_WIN32 AND NOT T_PORTABLE)
    return()
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE morimo ${T_LIBS} ${MORIMO_GTEST})
  if(TARGET testsupport)
    target_link_libraries(${T_NAME} PRIVATE testsupport)
  endif()
  if(TARGET morimo_shared_res)
    target_link_libraries(${T_NAME} PRIVATE morimo_shared_res)
  endif()
  if(NOT T_MAIN)
    target_sources(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/test_main.cpp)
  endif()
  if(MORIMO_WIN32)
    set_target_properties(${T_NAME} PROPERTIES WIN32_EXECUTABLE OFF)
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "MORIMO_SOURCE_DIR=${CMAKE_SOURCE_DIR};MORIMO_BINARY_DIR=${CMAKE_BINARY_DIR}")
  if(T_GUI)
    set_tests_properties(${T_NAME} PROPERTIES RUN_SERIAL ON LABELS gui)
  endif()
endfunction()
