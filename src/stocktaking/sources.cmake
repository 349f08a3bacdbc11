# Stocktaking: its window, its scanner field and its two statements.
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/StocktakingCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StocktakingModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfInwentaryzacja.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfNowaInwentaryzacja.cpp
)
