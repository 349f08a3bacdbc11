list(APPEND GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/BandBuilder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HeapForPdf.h
  ${CMAKE_CURRENT_LIST_DIR}/MemoryDataProvider.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PagePainter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageSink.h
  ${CMAKE_CURRENT_LIST_DIR}/PageSource.h
  ${CMAKE_CURRENT_LIST_DIR}/PageSpool.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PdfOutput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReportDataProvider.h
  ${CMAKE_CURRENT_LIST_DIR}/ReportEngine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReportPreview.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReportTemplate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TextMeasurer.cpp
)
