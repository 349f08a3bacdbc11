# The layering check over a tree with planted upward includes: every planted
# fault is named, nothing else is, and the check fails.
execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${FIXTURE} -P ${CHECK}
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(result EQUAL 0)
  message(FATAL_ERROR "the check passed a tree with upward includes:\n${out}")
endif()
set(expected
  "store/Planted.h includes widgets/DataGrid.h: widgets/ is not below store/"
  "store/sources.cmake lists GUI sources"
  "renderer/Page.cpp includes base/Clock.h: the renderer includes no other room"
  "bhp/Side.cpp includes reports/Catalogue.h: reports/ is not below bhp/"
  "reports/Catalogue.cpp includes shell/Startup.h: shell/ is not below reports/"
  "widgets/Grid.cpp includes renderer/Page.h: widgets/ stands below the renderer's users"
  "base/Ground.cpp includes store/AppState.h: store/ is not below base/")
foreach(line ${expected})
  string(FIND "${out}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the check did not name: ${line}\n${out}")
  endif()
endforeach()
set(allowed "store/Planted.h includes base/ErrorLog.h" "bhp/Side.cpp includes bhp/Other.h"
  "reports/Catalogue.cpp includes renderer/Page.h" "shell/Wiring.cpp" "main.cpp includes")
foreach(line ${allowed})
  string(FIND "${out}" "${line}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "the check refused an allowed include: ${line}\n${out}")
  endif()
endforeach()
