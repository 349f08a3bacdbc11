# Archive and backup copies, emptying and packing, the employee CSV import.
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ArchiveBuilder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ArchiveDescription.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DatabaseSnapshot.cpp
)
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CsvSheet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DatabaseMove.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EmployeeImport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TableEmptying.cpp
)
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/BackupRing.cpp
)
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CsvSheetModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MaintenanceCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OtherWorkstations.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfAdministracjaBaza.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfArchiwum.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CopyPassword.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfImportPracownik.cpp
)
