# Fuzz targets of the Moodle XML and QTI package readers: an instrumented copy of their
# library over the instrumented core, with pugixml and libzip as the system has them.
add_library(qzm_interchange_xml_fuzz STATIC ${QZM_INTERCHANGE_XML_SOURCES})
target_link_libraries(qzm_interchange_xml_fuzz PUBLIC qzm_interchange_fuzz PkgConfig::QZM_PUGIXML
  PkgConfig::QZM_LIBZIP)
target_compile_options(qzm_interchange_xml_fuzz PRIVATE -fsanitize=fuzzer-no-link ${QZM_FUZZ_FLAGS})
qzm_core_warnings(qzm_interchange_xml_fuzz)

foreach(name moodle_xml qti_package)
  qzm_add_fuzz_target(${name})
  target_link_libraries(fuzz_${name} PRIVATE qzm_interchange_xml_fuzz)
endforeach()
