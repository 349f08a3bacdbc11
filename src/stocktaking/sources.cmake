# Stocktaking: its window, its scanner field and its two documents.
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CountSheetReport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DifferencesReport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StocktakingCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StocktakingModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StocktakingPrint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfInwentaryzacja.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfNowaInwentaryzacja.cpp
)
