# The deadline check, bulk deactivation and the tips file
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/BulkDeactivation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DeadlineCheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TipsFile.cpp
)
# The windows of the reminders and their wiring into the main window
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DeadlineTableModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Reminders.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfHurtowaDeaktywacja.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfNotatki.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfPoradaDnia.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfShowNotatka.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfSprawdzenieDat.cpp
)
