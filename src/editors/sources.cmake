list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AssetEditor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComputerTabs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EditorDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SubList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfKomputery.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfSprzet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfUzytkownicy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfUzywajacy.cpp
)
# Work orders and settlements of equipment.
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/TfRozliczenia.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfZlecenia.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WorkEntryDialog.cpp
)

# Sub-record dialogs of the asset editors and the attachments.
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AttachmentActions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AttachmentFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SubRecordActions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SubRecordDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfDokumenty.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfHistoria.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfNaprawy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfSelectDir.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfTerminy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfTutorial2.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfZalaczniki.cpp
)

# Employee and company cards; the liquidation and responsible-person dialogs.
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DialogParts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfFirma.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfLikwidacja.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfOdpowiedzialny.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfOsobowa.cpp
)
# Program and licence editors, their links and the installation on computers.
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/LicenceLinks.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SoftwareEditor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SoftwareInstall.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SubListPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfDodajOprogramowanie.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfLicencje.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfLicProg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfProgramy.cpp
)
# Dictionary windows
list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/TfBiblioteka.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TfEditBibliotekaAll.cpp
)
