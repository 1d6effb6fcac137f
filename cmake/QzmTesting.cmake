# One function registers each test program. Native builds link Debian's GoogleTest;
# the Windows build compiles GoogleTest from /usr/src/googletest with the cross compiler,
# and CTest runs the programs through the emulator (wine) named by the toolchain file.
if(QZM_TESTS)
  if(WIN32)
    if(NOT TARGET gtest)
      set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
      set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
      set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
      add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    endif()
    set(QZM_GTEST_LIBS gtest)
  else()
    find_package(GTest REQUIRED)
    set(QZM_GTEST_LIBS GTest::gtest)
  endif()
endif()

# qzm_add_test(name SOURCES ... LIBS ... [TIMEOUT seconds])
# Adds one test program, linked with GoogleTest (the program brings its own main or links
# gtest_main through LIBS) and registered with CTest under its own name.
function(qzm_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} ${QZM_GTEST_LIBS})
  qzm_warnings(${name})
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 600)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
endfunction()
