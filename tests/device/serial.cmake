# The serial port, the trace log and the link to the keyboard. The keyboard is our simulator on a
# pseudo-terminal that Wine opens as a COM port: with_keyboard.sh starts it around the test program
# and removes its port link afterwards.
set(SERIAL_TEST_DIR ${CMAKE_CURRENT_LIST_DIR})
add_executable(serial_tests
    ${SERIAL_TEST_DIR}/TraceLogTest.cpp ${SERIAL_TEST_DIR}/LinkRulesTest.cpp
    ${SERIAL_TEST_DIR}/KeyboardLinkTest.cpp ${CMAKE_SOURCE_DIR}/tests/library/ImageBaseFiles.cpp)
target_include_directories(serial_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/library)
target_link_libraries(serial_tests PRIVATE testsupport device keyboard_control)
add_test(NAME serial_tests
         COMMAND bash ${CMAKE_SOURCE_DIR}/tools/keyboard_sim/with_keyboard.sh $<TARGET_FILE:serial_tests> --gtest_color=no)
# A keyboard that freezes the link shows as a time-out of the whole program: the tests take seconds.
set_tests_properties(serial_tests PROPERTIES TIMEOUT 180)

# Loading a set into the keyboard: the serial flow against the simulator, the USB flow against the
# driver stand-in, and the load dialog itself. The stand-ins of the driver program and of Zenthor
# are copied beside the test program at every build, so a rebuilt stand-in is never tested stale.
add_executable(load_tests
    ${SERIAL_TEST_DIR}/LoadFixture.cpp ${SERIAL_TEST_DIR}/SerialLoadTest.cpp ${SERIAL_TEST_DIR}/UsbLoadTest.cpp ${SERIAL_TEST_DIR}/LoadKvoraDlgTest.cpp
    ${CMAKE_SOURCE_DIR}/tests/store/CompilerFixture.cpp ${CMAKE_SOURCE_DIR}/tests/store/ConfigFixture.cpp
    ${CMAKE_SOURCE_DIR}/tests/library/ImageBaseFiles.cpp)
rz_add_resources(load_tests ${CMAKE_SOURCE_DIR}/resources/skarpin.rc)
target_include_directories(load_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/library)
target_compile_definitions(load_tests PRIVATE SAMPLE_FOLDER="${CMAKE_SOURCE_DIR}/scripts/sample")
target_link_libraries(load_tests PRIVATE testsupport skarpin_windows keyboard_control)
add_custom_target(load_test_stand_ins ALL
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:usbdriver> $<TARGET_FILE:zenthor>
            $<TARGET_FILE_DIR:load_tests>
    DEPENDS usbdriver zenthor)
add_dependencies(load_tests load_test_stand_ins)
add_test(NAME load_tests
         COMMAND bash ${CMAKE_SOURCE_DIR}/tools/keyboard_sim/with_keyboard.sh $<TARGET_FILE:load_tests> --gtest_color=no)
set_tests_properties(load_tests PROPERTIES TIMEOUT 300)
