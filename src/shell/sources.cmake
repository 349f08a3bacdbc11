list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AppPaths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Clock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ErrorLog.cpp
)
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AppState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SingleInstance.cpp
)
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ErrorLogCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ErrorLogViewer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MessageLook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SprzetnikApplication.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TinfoDBProblem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TinfoForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TpromptForm.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TquestionForm.cpp
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
# Database dialog and the first-run guide.
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/TfTutorial1.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfWskazBaze.cpp
)
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/GuideDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OptionsCommand.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgramWindows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Startup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfAbout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfOpcjeProgramu.cpp
)
