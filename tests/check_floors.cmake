# The floors, from the bottom: content and sheet, drill, window, services, app.
# No source includes a floor above its own, and the core (the first two) no Qt.
set(rules
  "content|#include[ \t]*[<\"](Q|drill/|window/|services/|app/)"
  "sheet|#include[ \t]*[<\"](Q|drill/|window/|services/|app/)"
  "drill|#include[ \t]*[<\"](Q|window/|services/|app/)"
  "window|#include[ \t]*\"(services/|app/)"
  "services|#include[ \t]*\"app/")
foreach(rule IN LISTS rules)
  string(REPLACE "|#" ";#" rule "${rule}")
  list(GET rule 0 floor)
  list(GET rule 1 pattern)
  file(GLOB_RECURSE sources ${ROOT}/${floor}/*)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} upward REGEX "${pattern}")
    if(upward)
      message(SEND_ERROR "${source} reaches above its floor: ${upward}")
    endif()
  endforeach()
endforeach()
