# Shared helpers for every folder's CMakeLists.

# Our own code compiles with warnings as errors; third-party code does not.
function(vt_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror
    $<$<COMPILE_LANGUAGE:CXX>:-Wno-missing-field-initializers>)
endfunction()

# vt_library(name SOURCES ... LIBS ...): a static library of our own code.
function(vt_library name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${A_LIBS})
  vt_warnings(${name})
endfunction()

# vt_add_gtest(name SOURCES ... LIBS ... [OWN_MAIN]): one GoogleTest executable,
# registered with ctest as one test. Under the cross build ctest runs it
# through Wine. OWN_MAIN leaves main() to the test sources. SERIAL keeps the
# test from running beside others (tests that use focus, the mouse or the
# screen of the shared virtual display).
function(vt_add_gtest name)
  cmake_parse_arguments(A "OWN_MAIN;SERIAL" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  if(A_OWN_MAIN)
    target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest)
  else()
    target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest_main)
  endif()
  vt_warnings(${name})
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "VT_SOURCE_DIR=${PROJECT_SOURCE_DIR};VT_BUILD_DIR=${PROJECT_BINARY_DIR}"
    TIMEOUT 600)
  if(A_SERIAL)
    set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
  endif()
endfunction()

# Windows libraries the login dialog does not need (common controls, file
# dialogs, printers, the shell, version data, blending, memory streams) are
# loaded on their first call instead of at start-up, where each costs the
# login dialog time; a wrapper of a common control registers its class
# before creating one. vt_delay_<name> stands in for <name> in a target's libraries; the
# functions called are listed in cmake/delayload/<name>.def, and one missing
# there fails the link.
function(vt_delay_load_libraries)
  foreach(name ${ARGN})
    set(def ${PROJECT_SOURCE_DIR}/cmake/delayload/${name}.def)
    set(out ${CMAKE_BINARY_DIR}/delayload/lib${name}_delay.a)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/delayload)
    set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
    execute_process(COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${def} --output-delaylib ${out}
                    RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "dlltool could not make the delay-load library of ${name}")
    endif()
    add_library(vt_delay_${name} INTERFACE)
    target_link_libraries(vt_delay_${name} INTERFACE ${out} delayimp)
    # The linker keeps a function's loading stub only when the function's own
    # symbol is wanted; code that calls through the import pointer
    # (declared dllimport) wants only the pointer, which then stays empty.
    file(STRINGS ${def} exports REGEX "^[A-Za-z_][A-Za-z0-9_]*@[0-9]+$")
    foreach(export ${exports})
      target_link_options(vt_delay_${name} INTERFACE "LINKER:-u,_${export}")
    endforeach()
  endforeach()
endfunction()
