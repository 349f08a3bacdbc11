list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/FilterBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegisterCatalog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfMain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfMainUi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TVXGridStorage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToolbarRules.cpp
)
# Record commands of the registers
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/RecordCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegisterCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComputerCommands.cpp
)
# Edit and preview of the deadline, repair, document, history and attachment registers
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AdditionalCommands.cpp
)
# Record commands of the employee and company registers
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CompanyCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EmployeeCommands.cpp
)
# Record commands of the programs and licences registers
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ProgramCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LicenceCommands.cpp
)
# Delete cascade and liquidation of every register
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DeleteCascade.cpp
)
