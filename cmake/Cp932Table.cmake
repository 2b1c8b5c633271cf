# The CP932 tables of a build whose C library has no CP932 converter
# (emscripten), generated from the build machine's glibc iconv into the
# target's binary folder, where Cp932_web.cpp includes them.
function(qpx_cp932_table target)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(table ${CMAKE_CURRENT_BINARY_DIR}/Cp932Table.inc)
  add_custom_command(OUTPUT ${table}
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/cmake/cp932-table.py ${table}
    DEPENDS ${PROJECT_SOURCE_DIR}/cmake/cp932-table.py
    COMMENT "CP932 tables from the build machine's iconv")
  target_sources(${target} PRIVATE ${table})
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
