# The report list: table store, its file formats and exchange operations.
list(APPEND KESTRIX_RT_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/XmlText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CsvCodec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HtmlText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReplistFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RLData.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RLDataFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CsvExchange.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HtmlExport.cpp
)
