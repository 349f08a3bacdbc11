list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/FilterBar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegisterCatalog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfMain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfMainUi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToolbarRules.cpp
)
# Record commands of the registers
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/RegisterCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComputerCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AssetCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EquipmentCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OrderCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettlementCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WorkEntryWrites.cpp
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
# Search folding, the CSV writer and the text exports (the check windows write them too)
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CaseFold.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextExport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TVXExportToCSV.cpp
)
# Search, column sums, CSV export, the Fiszka card and the property names
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ColumnSums.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FindTextDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListCsvExport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListSearch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ListTools.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PropertyNamesPages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfFiszka.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfSumy.cpp
)
# Bulk change of the responsible person
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/BulkResponsibleChange.cpp
)
# Delete cascade and liquidation of every register
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DeleteCascade.cpp
)
