# The main window's tests; included by this folder's CMakeLists.txt.
vt_add_gtest(mdiform1_test SERIAL
  SOURCES mdiform1_fixture.cpp mdiform1_test.cpp mdiform1_commands_test.cpp mdiform1_screens_test.cpp
          $<TARGET_OBJECTS:vt_program_resources>
  LIBS vt_program_testing vt_program)
