# Moodle XML and QTI 2.1 content packages: readers and writers over pugixml and libzip, with
# the HTML-to-text and XML text helpers they share. Native only (the tools and tests use it).
find_package(PkgConfig REQUIRED)
pkg_check_modules(QZM_PUGIXML REQUIRED IMPORTED_TARGET pugixml)
pkg_check_modules(QZM_LIBZIP REQUIRED IMPORTED_TARGET libzip)

set(QZM_INTERCHANGE_XML_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/moodle_xml.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qti_package.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qti_package_reader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xml_export.cpp
  ${CMAKE_CURRENT_LIST_DIR}/xml_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/zip_archive.cpp)
add_library(qzm_interchange_xml STATIC ${QZM_INTERCHANGE_XML_SOURCES})
target_link_libraries(qzm_interchange_xml PUBLIC qzm_interchange PkgConfig::QZM_PUGIXML
  PkgConfig::QZM_LIBZIP)
qzm_core_warnings(qzm_interchange_xml)
