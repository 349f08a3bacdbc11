# Error log, configuration and INI file, paths, clock, file copying, report lists
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AppPaths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Clock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Config.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EngineMessages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ErrorLog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileAssociation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IniFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Numbers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReportLists.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SingleInstance.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFileOperation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFileOperations.cpp
)
# The message dialogs and their scripted answers, the error-log viewer, guides
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ErrorLogCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ErrorLogViewer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GuideDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MessageLook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SprzetnikApplication.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TinfoDBProblem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TinfoForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TpromptForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TquestionForm.cpp
)
