cmake_minimum_required(VERSION 3.25)
# The floors, from the bottom; folders on one line stand side by side. A
# source includes only its own folder and those on lower floors, so no
# include runs back up and none goes round in a circle. The core (content,
# sheet, drill) and the layout table include no Qt.
set(floors
  "content"
  "sheet"
  "drill"
  "layout"
  "look"
  "window"
  "help printing"
  "services"
  "app")
set(without_qt content sheet drill layout)

set(known "")
foreach(floor IN LISTS floors)
  string(REPLACE " " ";" folders "${floor}")
  foreach(folder IN LISTS folders)
    # Every folder that is not its own or below it.
    set(above "")
    foreach(other_floor IN LISTS floors)
      string(REPLACE " " ";" others "${other_floor}")
      foreach(other IN LISTS others)
        if(NOT other STREQUAL folder AND NOT other IN_LIST known)
          list(APPEND above ${other})
        endif()
      endforeach()
    endforeach()
    list(JOIN above "|" above)
    set(pattern "#include[ \t]*[<\"](${above})/")
    if(folder IN_LIST without_qt)
      set(pattern "${pattern}|#include[ \t]*<Q")
    endif()
    file(GLOB_RECURSE sources ${ROOT}/${folder}/*)
    if(NOT sources)
      message(SEND_ERROR "the floor ${folder} has no sources: is the list above out of date?")
    endif()
    foreach(source IN LISTS sources)
      file(STRINGS ${source} upward REGEX "${pattern}")
      if(upward)
        message(SEND_ERROR "${source} reaches above its floor: ${upward}")
      endif()
    endforeach()
  endforeach()
  list(APPEND known ${folders})
endforeach()

# Every folder of the sources stands on a floor.
file(GLOB folders LIST_DIRECTORIES true RELATIVE ${ROOT} ${ROOT}/*)
list(REMOVE_ITEM folders CMakeLists.txt)
string(REPLACE " " ";" all "${floors}")
foreach(folder IN LISTS folders)
  if(NOT folder IN_LIST all)
    message(SEND_ERROR "src/${folder} stands on no floor")
  endif()
endforeach()
