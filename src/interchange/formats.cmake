# The one list of exam formats, with the JSON face of an exam and the warning summary: what
# qzm and the program's exchange commands both read and write through. Every format the
# build has is in it: CSV with QZM_HAVE_CSV (from qzm_interchange), Moodle XML and QTI when
# the XML formats' library exists, whenever in the configuration it is made.
include(${PROJECT_SOURCE_DIR}/cmake/QzmHeaderLibraries.cmake)
add_library(qzm_formats STATIC
  ${CMAKE_CURRENT_LIST_DIR}/exam_json.cpp
  ${CMAKE_CURRENT_LIST_DIR}/format_registry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/warning_summary.cpp)
set(QZM_HAVE_XML_TARGET $<TARGET_EXISTS:qzm_interchange_xml>)
target_link_libraries(qzm_formats PUBLIC qzm_core qzm_interchange nlohmann_json::nlohmann_json
  $<${QZM_HAVE_XML_TARGET}:qzm_interchange_xml>)
target_compile_definitions(qzm_formats PRIVATE $<${QZM_HAVE_XML_TARGET}:QZM_HAVE_XML_FORMATS=1>)
qzm_warnings(qzm_formats)
