# add_qor_test(name source... [QT]): one GoogleTest program registered with CTest.
# QT links the Qt UI library and a main() that makes a QApplication; the test runs on the
# offscreen platform.
function(add_qor_test name)
  cmake_parse_arguments(ARG "QT" "" "" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE qor_test_support GTest::gtest GTest::gmock)
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE qor_qt_test_main qor_ui Qt6::Test)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set(label engine)
  if(ARG_QT)
    set(label gui)
  endif()
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QOR_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
    LABELS ${label})
endfunction()
