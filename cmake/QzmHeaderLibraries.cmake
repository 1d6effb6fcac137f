# CLI11 and nlohmann-json, header-only, as targets: the build machine's packages natively.
# The cross toolchain does not search the build machine's headers, so for Windows only their
# own folders are copied into the build tree: adding the host's /usr/include would put
# glibc's headers before mingw's. Included by each folder that uses them: the packages'
# own targets are seen only from the folder that found them.
if(WIN32)
  if(TARGET qzm_host_headers)
    return()
  endif()
  set(QZM_HOST_HEADERS ${PROJECT_BINARY_DIR}/host-headers)
  foreach(header CLI/CLI.hpp nlohmann/json.hpp)
    string(MAKE_C_IDENTIFIER "QZM_HEADER_${header}" found)
    find_path(${found} ${header} NO_CMAKE_FIND_ROOT_PATH)
    if(NOT ${found})
      message(FATAL_ERROR "${header} not found: run scripts/bootstrap")
    endif()
    get_filename_component(folder ${header} DIRECTORY)
    file(COPY ${${found}}/${folder} DESTINATION ${QZM_HOST_HEADERS})
  endforeach()
  add_library(qzm_host_headers INTERFACE)
  target_include_directories(qzm_host_headers SYSTEM INTERFACE ${QZM_HOST_HEADERS})
  add_library(CLI11::CLI11 ALIAS qzm_host_headers)
  add_library(nlohmann_json::nlohmann_json ALIAS qzm_host_headers)
else()
  find_package(CLI11 CONFIG REQUIRED)
  find_package(nlohmann_json 3 CONFIG REQUIRED)
endif()
