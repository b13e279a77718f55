# The main window's tests; included by this folder's CMakeLists.txt.
set(VT_MAINWIN_TESTS ${CMAKE_CURRENT_LIST_DIR})
vt_add_gtest(mdiform1_test SERIAL
  SOURCES ${VT_MAINWIN_TESTS}/mdiform1_fixture.cpp ${VT_MAINWIN_TESTS}/mdiform1_test.cpp
          ${VT_MAINWIN_TESTS}/mdiform1_commands_test.cpp ${VT_MAINWIN_TESTS}/mdiform1_screens_test.cpp
          $<TARGET_OBJECTS:vt_program_resources>
  LIBS vt_program_testing vt_program)
target_compile_definitions(mdiform1_test PRIVATE UNICODE _UNICODE)
