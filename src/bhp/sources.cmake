# Stock and needs checks
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/StockChecks.cpp
)
# BHP items, holdings, purchases, the resource store and the check windows
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/BhpCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BhpEditor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BhpHoldings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CheckWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MagazynCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Quantity.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StockCheckWindows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfBhp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfIloscNaStanie.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfMagazyn.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfPosiadajacy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfSprawdzenieBhp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfSprawdzenieMagazynu.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfZakupBhp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZakupBhpCommands.cpp
)
