# Moodle XML and QTI 2.1 content packages: readers and writers over pugixml and libzip, with
# the HTML-to-text and XML text helpers they share.
if(WIN32)
  # The static builds of scripts/mingw-libs, on the toolchain's search root.
  find_package(pugixml CONFIG)
  find_package(ZLIB)  # libzip's own config file does not look for it
  find_package(libzip CONFIG)
  if(NOT pugixml_FOUND OR NOT libzip_FOUND OR NOT ZLIB_FOUND)
    message(FATAL_ERROR "pugixml or libzip for ${QZM_MINGW_TRIPLE} not built: run scripts/mingw-libs")
  endif()
  set(QZM_XML_LIBRARIES pugixml::static libzip::zip)
else()
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(QZM_PUGIXML REQUIRED IMPORTED_TARGET pugixml)
  pkg_check_modules(QZM_LIBZIP REQUIRED IMPORTED_TARGET libzip)
  set(QZM_XML_LIBRARIES PkgConfig::QZM_PUGIXML PkgConfig::QZM_LIBZIP)
endif()

set(QZM_INTERCHANGE_XML_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/moodle_xml.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qti_package.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qti_package_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xml_export.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xml_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zip_archive.cpp)
add_library(qzm_interchange_xml STATIC ${QZM_INTERCHANGE_XML_SOURCES})
target_link_libraries(qzm_interchange_xml PUBLIC qzm_interchange ${QZM_XML_LIBRARIES})
if(WIN32)
  # libzip's header would otherwise declare its functions as imported from a DLL.
  target_compile_definitions(qzm_interchange_xml PRIVATE ZIP_STATIC)
endif()
qzm_core_warnings(qzm_interchange_xml)
