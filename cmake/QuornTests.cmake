# GoogleTest for every test program. Natively Debian's packaged library; for
# the MinGW builds the sources Debian ships, built with the cross compiler.
include(GoogleTest)
if(CMAKE_CROSSCOMPILING)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()

# Test programs are always built; OFF leaves them out of CTest, for a build
# whose programs this machine cannot run.
option(QUORN_RUN_TEST_PROGRAMS "Register the test programs with CTest" ON)

# quorn_add_test(NAME SOURCES a.cpp b.cpp LIBS lib... [ENVIRONMENT VAR=VALUE]):
# one test program, its cases discovered when CTest runs (through Wine for
# the MinGW builds), so that building never needs Wine; its cases run with
# the environment variable given, if any.
function(quorn_add_test name)
  cmake_parse_arguments(T "" "ENVIRONMENT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE GTest::gtest_main ${T_LIBS} quorn_options)
  target_compile_definitions(${name} PRIVATE QUORN_CORPUS_DIR="${QUORN_CORPUS_DIR}")
  if(QUORN_RUN_TEST_PROGRAMS)
    if(T_ENVIRONMENT)
      gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
        PROPERTIES ENVIRONMENT "${T_ENVIRONMENT}")
    else()
      gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
    endif()
  endif()
endfunction()
