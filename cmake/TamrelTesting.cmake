# GoogleTest comes from Debian's packages in both builds: the installed
# library natively, and the sources of the googletest package compiled with
# the cross compiler for the Windows build.
if(NOT TAMREL_BUILD_TESTS)
  return()
endif()

enable_testing()

if(CMAKE_CROSSCOMPILING)
  set(TAMREL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH
      "GoogleTest sources to compile for the cross build")
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${TAMREL_GOOGLETEST_SOURCE}
                   ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Third-party code: keep our -Werror away from it.
  foreach(target gtest gtest_main gmock gmock_main)
    if(TARGET ${target})
      target_compile_options(${target} PRIVATE -w)
    endif()
  endforeach()
  # GoogleTest 1.12 names its targets GTest::* itself; older sources do not.
  foreach(target gtest gtest_main gmock gmock_main)
    if(TARGET ${target} AND NOT TARGET GTest::${target})
      add_library(GTest::${target} ALIAS ${target})
    endif()
  endforeach()
else()
  find_package(GTest REQUIRED)
endif()

# One test binary is one CTest test: under Wine every process start costs,
# so the cases of a binary run in one process rather than one each.
#   tamrel_add_gtest(NAME SOURCES a.cpp b.cpp LIBRARIES lib... [NO_MAIN]
#                    [LABELS label...] [DESKTOP WxH])
# DESKTOP runs the Windows test, and the processes it starts, on a Wine
# virtual desktop of that size instead of 1920x1080 (see tools/wine-run).
function(tamrel_add_gtest name)
  cmake_parse_arguments(arg "NO_MAIN" "DESKTOP" "SOURCES;LIBRARIES;LABELS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} GTest::gtest)
  if(NOT arg_NO_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  if(arg_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${arg_LABELS}")
  endif()
  if(arg_DESKTOP)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT TAMREL_TEST_DESKTOP=${arg_DESKTOP})
  endif()
endfunction()
