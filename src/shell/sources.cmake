# Database dialog and the first-run guide.
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/OldTablesPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OldTablesProgressDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfTutorial1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfWskazBaze.cpp
)
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ConnectionLostNotice.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListOrderProgressDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OptionsCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgramWindows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Startup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfAbout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfOpcjeProgramu.cpp
)
# The main window's command wiring
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/MainCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecordCommands.cpp
)
