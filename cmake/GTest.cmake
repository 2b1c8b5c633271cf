# GoogleTest for the unit tests: Debian's library, or, for a build whose
# programs the library was not made for (32 bits), its sources built here.
# Included by every folder that registers tests.
option(QPX_GTEST_FROM_SOURCE "Build GoogleTest from /usr/src/googletest" OFF)
if(QPX_GTEST_FROM_SOURCE)
  if(NOT TARGET gtest)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # Built with neither our warnings (not ours to fail on) nor our CP932
    # execution character set (its sources print UTF-8).
    set_property(TARGET gtest gtest_main PROPERTY COMPILE_OPTIONS -w)
  endif()
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)
