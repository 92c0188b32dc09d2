# Compiler settings shared by every target of the project.
add_library(velmora_common INTERFACE)
target_compile_options(velmora_common INTERFACE -Wall -Wextra -Wpedantic)
target_compile_definitions(velmora_common INTERFACE
  QT_NO_KEYWORDS QT_NO_FOREACH)
target_include_directories(velmora_common INTERFACE ${PROJECT_SOURCE_DIR}/src)

# velmora_add_test(NAME name SOURCES ... LIBS ...): one Qt Test executable under ctest,
# run on the offscreen platform so that real widgets work without a display.
function(velmora_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE velmora_common velmora_test_support ${T_LIBS} Qt6::Test)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;VELMORA_TEST_BINARY_DIR=${PROJECT_BINARY_DIR}")
endfunction()
