# Checks that every file under src/ includes only from its own folder or from folders below
# it. Run as: cmake -DSRC=<src folder> -P CheckLayers.cmake
#
# The levels, bottom to top, one level per entry. Folders in one entry are peers: they may
# not include each other. A folder may always include its own files. A file in a folder that
# has no level, or an include of a folder that has none, fails the check too, so a new folder
# must be given its place here first.
set(QV_LAYERS
    "platform/base"
    "platform/host"
    "platform/ui"
    "platform/registry"
    "platform/machine"
    "platform/fs"
    "platform/msi"
    "services"
    "numbers records"
    "state"
    "msidb"
    # GUID identification and package values, for the windows and the CLI alike.
    "paths guids"
    # File details and log reading, Qt-free, for the selection window and the CLI.
    "details"
    # Start-up gets its window through callbacks; it holds the settings store and the window
    # layout, which the windows use.
    "app"
    "listview help"
    "selection"
    "converter cli"
    "quorvex_main.cc")

if(NOT SRC)
  message(FATAL_ERROR "CheckLayers.cmake: pass -DSRC=<the src folder>")
endif()
get_filename_component(SRC "${SRC}" ABSOLUTE)

# Every folder with its level.
set(folders "")
set(level 0)
foreach(entry IN LISTS QV_LAYERS)
  string(REPLACE " " ";" peers "${entry}")
  foreach(folder IN LISTS peers)
    list(APPEND folders "${folder}")
    set(level_of_${folder} ${level})
  endforeach()
  math(EXPR level "${level} + 1")
endforeach()
# Longer names first, so platform/msi is matched before a folder named platform.
list(SORT folders)
list(REVERSE folders)

# The folder a path below src/ belongs to, or "" when it has none.
function(folder_of path out)
  foreach(folder IN LISTS folders)
    if(path STREQUAL folder OR path MATCHES "^${folder}/")
      set(${out} "${folder}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${out} "" PARENT_SCOPE)
endfunction()

set(problems "")
file(GLOB_RECURSE sources RELATIVE "${SRC}" "${SRC}/*.cc" "${SRC}/*.h")
list(SORT sources)
foreach(source IN LISTS sources)
  folder_of("${source}" own)
  if(own STREQUAL "")
    list(APPEND problems "src/${source}: its folder has no place in the order of layers")
    continue()
  endif()
  file(STRINGS "${SRC}/${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" included "${line}")
    if(NOT included MATCHES "/")
      continue()  # a file beside this one
    endif()
    folder_of("${included}" theirs)
    if(theirs STREQUAL "")
      list(APPEND problems "src/${source}: includes \"${included}\", a folder with no place in the order of layers")
    elseif(NOT theirs STREQUAL own AND NOT ${level_of_${theirs}} LESS ${level_of_${own}})
      if(${level_of_${theirs}} EQUAL ${level_of_${own}})
        set(why "a folder beside ${own}")
      else()
        set(why "a folder above ${own}")
      endif()
      list(APPEND problems "src/${source}: includes \"${included}\" from ${theirs}, ${why}")
    endif()
  endforeach()
endforeach()

if(problems)
  list(LENGTH problems count)
  string(REPLACE ";" "\n" text "${problems}")
  message(FATAL_ERROR "${count} include(s) against the order of layers:\n${text}")
endif()
list(LENGTH sources checked)
message(STATUS "order of layers kept by ${checked} files")
