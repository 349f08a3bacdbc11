list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DatabaseCheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DatabaseCopy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DatabaseTemplate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileIdentity.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PolishCollation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ResultCells.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RowGone.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SortKeys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SqlConnection.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SqlDialect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileBackend.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ServerBackend.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ServerDatabase.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Statement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TableList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WorkstationPresence.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WriteTransaction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NewKey.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SchemaUpgrades.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Stocktaking.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LicenceSeats.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LookupSearch.cpp
)
# The previous version's table files, read with pxlib
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/OldTableConversion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OldTableFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OldTablesImport.cpp
)
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/StatementTexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TmyDataBase.cpp
)
# String cipher
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/TVXCrypt.cpp
)
# List filter and sort state
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ListState.cpp
)
# Session state, database location, password hashes
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AppState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DatabaseLocation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PasswordHash.cpp
)
# Statements run for many rows and reads held together
list(APPEND CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/PreparedStatement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReadTransaction.cpp
)
