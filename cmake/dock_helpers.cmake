# dock_add_gtest(<name> SOURCES <files...> LIBS <targets...>)
# A GoogleTest executable whose cases are listed when ctest runs (under Wine for the
# Windows build, so nothing runs Wine while building).
function(dock_add_gtest name)
  if(NOT DOCK_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES TIMEOUT 300)
endfunction()

# dock_windows_path(<out-var> <unix-path>): the path as a Windows program under Wine sees it
# (drive Z: is the Unix root), with doubled backslashes for use in a C++ string literal.
function(dock_windows_path out unix_path)
  string(REPLACE "/" "\\\\" converted "${unix_path}")
  set(${out} "Z:${converted}" PARENT_SCOPE)
endfunction()

# dock_program_path(<out-var> <dir-relative-to-build> <program>): a program built by this
# project, as a path literal for the tests of this build.
function(dock_program_path out relative_dir program)
  if(WIN32)
    dock_windows_path(converted "${CMAKE_BINARY_DIR}/${relative_dir}/${program}.exe")
    set(${out} "${converted}" PARENT_SCOPE)
  else()
    set(${out} "${CMAKE_BINARY_DIR}/${relative_dir}/${program}" PARENT_SCOPE)
  endif()
endfunction()
