# Report data module, condition texts and record print-out lines (no widgets)
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/LabelLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RecordPrintout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReportConditions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReportFields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SavedListState.h
  ${CMAKE_CURRENT_LIST_DIR}/TDMRaporty.cpp
)
# The "Raporty" view, its pages and panel, and the main window's print-out command
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AdditionalPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BarcodeImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BhpPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EmployeesPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FinancialPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GeneralPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LabelCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LabelSheet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LocationsPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProtocolPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RaportyTab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReportCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReportPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReportPanel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfEtykiety.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WaitCursor.h
)
