list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DataGrid.cpp
)
# Shared editor controls
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AmountFields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CalendarPicker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ConfirmDelete.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DateField.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Lookup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReadOnlySwitch.cpp
)
# The list model over statements and the grid column layouts
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DatabaseReplacedNotice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TVXGridStorage.cpp
)
