# Report data module and record print-out lines (no widgets)
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/RecordPrintout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReportFields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SavedListState.h
  ${CMAKE_CURRENT_LIST_DIR}/TDMRaporty.cpp
)
# The "Raporty" view and the main window's print-out command
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/RaportyPages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RaportyTab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReportCommands.cpp
)
