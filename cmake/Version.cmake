# The one version of Quopra, packaging/VERSION (one to four numbers, like
# 1.0.0), for everything that shows one: the programs' version resources,
# qpxdiff's About box, qpx --version and the packages. The programs get it
# from the generated header QuopraVersion.h (library qpx_version):
#   QPX_VERSION               "1.0.0", as VERSION writes it
#   QPX_FILE_VERSION          "1.0.0.0", padded with zeros to four numbers
#   QPX_FILE_VERSION_NUMBERS  1,0,0,0, for a VERSIONINFO block
set(QPX_VERSION_FILE ${PROJECT_SOURCE_DIR}/packaging/VERSION)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${QPX_VERSION_FILE})
file(READ ${QPX_VERSION_FILE} QPX_VERSION)
string(STRIP "${QPX_VERSION}" QPX_VERSION)
if(NOT QPX_VERSION MATCHES "^[0-9]+(\\.[0-9]+)?(\\.[0-9]+)?(\\.[0-9]+)?$")
  message(FATAL_ERROR "packaging/VERSION holds '${QPX_VERSION}', not one to four numbers")
endif()
string(REPLACE "." ";" qpx_version_numbers "${QPX_VERSION}")
foreach(number IN LISTS qpx_version_numbers)
  if(number GREATER 65535)
    message(FATAL_ERROR "packaging/VERSION: ${number} does not fit a version resource's 16 bits")
  endif()
endforeach()
list(LENGTH qpx_version_numbers qpx_version_count)
while(qpx_version_count LESS 4)
  list(APPEND qpx_version_numbers 0)
  math(EXPR qpx_version_count "${qpx_version_count} + 1")
endwhile()
list(JOIN qpx_version_numbers "." QPX_FILE_VERSION)
list(JOIN qpx_version_numbers "," QPX_FILE_VERSION_NUMBERS)

configure_file(${CMAKE_CURRENT_LIST_DIR}/QuopraVersion.h.in
               ${PROJECT_BINARY_DIR}/generated/QuopraVersion.h @ONLY)
add_library(qpx_version INTERFACE)
target_include_directories(qpx_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
