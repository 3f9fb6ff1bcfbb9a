# The executable's link layout. The kernel maps a program's file pages in blocks of 64 KB
# around each page a process touches, so start-up code spread over the whole text made
# nearly all of the executable resident. The functions a start runs (the first paint and
# a few ticks, as cmake/startupfunctions.sh records them) are listed in
# cmake/startupfunctions.txt and gathered in front of the rest of the text; everything
# else, a window opened later or an import, follows as before. A stale list costs only
# memory: a name no longer found is skipped, a new function lands behind the gathered ones.

# Each function in a section of its own, so the linker can place it and drop what nothing
# calls. A sanitizer build's layout does not matter, and keeps its cached objects.
if(NOT CHIMELET_SANITIZE)
  add_compile_options(-ffunction-sections -fdata-sections)
endif()

include(CheckLinkerFlag)
# Relative relocations packed (DT_RELR): a position-independent executable's table of them
# shrinks from 24 bytes an entry to a few bits, and the loader reads fewer pages.
check_linker_flag(CXX "-Wl,-z,pack-relative-relocs" CHIMELET_LINKER_RELR)

function(chimelet_startup_layout target)
  if(CHIMELET_SANITIZE)
    return()
  endif()
  set(list ${CMAKE_SOURCE_DIR}/cmake/startupfunctions.txt)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${list})
  file(STRINGS ${list} names REGEX "^[A-Za-z0-9_.$]+$")
  set(script "/* Made from cmake/startupfunctions.txt by cmake/startuplayout.cmake. */\n")
  # Plain .text holds only what is not ours (the entry point, the C runtime's start).
  string(APPEND script "SECTIONS\n{\n  .text.startpath :\n  {\n    *(.text)\n")
  foreach(name IN LISTS names)
    string(APPEND script "    *(.text.${name} .text.unlikely.${name} .text.startup.${name} .text.hot.${name})\n")
  endforeach()
  string(APPEND script "  }\n}\nINSERT BEFORE .text;\n")
  set(ld ${CMAKE_BINARY_DIR}/startuplayout.ld)
  file(CONFIGURE OUTPUT ${ld} CONTENT "${script}" @ONLY)
  target_link_options(${target} PRIVATE -Wl,-T,${ld} -Wl,--gc-sections)
  if(CHIMELET_LINKER_RELR)
    target_link_options(${target} PRIVATE -Wl,-z,pack-relative-relocs)
  endif()
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${ld})
endfunction()
