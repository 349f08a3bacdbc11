list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ListModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfMain.cpp
)
# Record commands of the registers
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/RecordCommands.cpp
)
