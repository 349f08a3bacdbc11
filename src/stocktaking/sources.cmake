# Stocktaking: its window, its scanner field and its two statements.
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CountSheetReport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DifferencesReport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StocktakingPrint.cpp
)
