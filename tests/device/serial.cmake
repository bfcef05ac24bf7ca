# The serial port, the trace log and the link to the keyboard. The keyboard is our simulator on a
# pseudo-terminal that Wine opens as a COM port: with_keyboard.sh starts it around the test program
# and removes its port link afterwards.
set(SERIAL_TEST_DIR ${CMAKE_CURRENT_LIST_DIR})
add_executable(serial_tests
    ${SERIAL_TEST_DIR}/TraceLogTest.cpp ${SERIAL_TEST_DIR}/SetImageTest.cpp ${SERIAL_TEST_DIR}/LinkRulesTest.cpp
    ${SERIAL_TEST_DIR}/KeyboardLinkTest.cpp ${CMAKE_SOURCE_DIR}/tests/library/ImageBaseFiles.cpp)
target_include_directories(serial_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/library)
target_link_libraries(serial_tests PRIVATE testsupport device keyboard_control)
add_test(NAME serial_tests
         COMMAND bash ${CMAKE_SOURCE_DIR}/tools/keyboard_sim/with_keyboard.sh $<TARGET_FILE:serial_tests> --gtest_color=no)
# A keyboard that freezes the link shows as a time-out of the whole program: the tests take seconds.
set_tests_properties(serial_tests PROPERTIES TIMEOUT 180)
