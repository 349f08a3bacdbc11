list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AppPaths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Clock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ErrorLog.cpp
)
list(APPEND GUI_SOURCES
)
# Configuration file, database location and the file-copy service.
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Config.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DatabaseLocation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReportLists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFileOperation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFileOperations.cpp
)
