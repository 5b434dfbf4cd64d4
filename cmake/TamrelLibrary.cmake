# tamrel_add_library(NAME SOURCES file... [DEFINITIONS def...] [LINK library...])
#
# One of the program's own libraries (the core, the controls, the frame),
# with the project root as its include path and everything PUBLIC.
#
# In the Windows build each comes twice, from the same sources. NAME is the
# one the in-process tests link: they end the "process" by throwing back
# into the test, through our code and the window procedures, so it keeps
# C++ exceptions. NAME_shipped is the one tamrel.exe and the test-only
# programs beside it are made of: nothing in it throws or catches, and
# built without exceptions, run-time type information and thread-safe
# statics (the program has one thread) it takes none of the runtime's
# unwinder, demangler and threading code into the executable: together
# more than 200 KB of a program that is otherwise about as large. Its
# libraries link each other's shipped flavour.
include_guard(GLOBAL)

set(TAMREL_SHIPPED_CODE_OPTIONS
    -fno-exceptions -fno-rtti -fno-threadsafe-statics -fno-asynchronous-unwind-tables)

function(tamrel_add_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;DEFINITIONS;LINK")
  set(flavours ${name})
  if(WIN32)
    list(APPEND flavours ${name}_shipped)
  endif()
  foreach(flavour IN LISTS flavours)
    add_library(${flavour} STATIC ${arg_SOURCES})
    target_include_directories(${flavour} PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_definitions(${flavour} PUBLIC ${arg_DEFINITIONS})
  endforeach()
  target_link_libraries(${name} PUBLIC ${arg_LINK})
  if(WIN32)
    set(shipped_links)
    foreach(library IN LISTS arg_LINK)
      if(TARGET ${library}_shipped)
        list(APPEND shipped_links ${library}_shipped)
      else()
        list(APPEND shipped_links ${library})
      endif()
    endforeach()
    target_link_libraries(${name}_shipped PUBLIC ${shipped_links})
    target_compile_options(${name}_shipped PRIVATE ${TAMREL_SHIPPED_CODE_OPTIONS})
  endif()
endfunction()
