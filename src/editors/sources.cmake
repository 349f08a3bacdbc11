list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ComputerTabs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EditorDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SubList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfKomputery.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfUzytkownicy.cpp
)
