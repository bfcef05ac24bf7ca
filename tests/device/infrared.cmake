# Infrared codes: the Intel-HEX records, the infrared commands, the learning state machine and the
# infrared dialogs. The keyboard is our simulator on a pseudo-terminal that Wine opens as COM6:
# with_keyboard.sh starts it around the test program.
set(INFRARED_TEST_DIR ${CMAKE_CURRENT_LIST_DIR})
add_executable(infrared_tests
    ${INFRARED_TEST_DIR}/InfraredFixture.cpp ${INFRARED_TEST_DIR}/IrIntelHexTest.cpp
    ${INFRARED_TEST_DIR}/IrCommandsTest.cpp ${INFRARED_TEST_DIR}/IrRecorderTest.cpp ${INFRARED_TEST_DIR}/IrDialogsTest.cpp ${CMAKE_SOURCE_DIR}/tests/library/ImageBaseFiles.cpp)
rz_add_resources(infrared_tests ${CMAKE_SOURCE_DIR}/resources/skarpin.rc)
target_include_directories(infrared_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/library)
target_link_libraries(infrared_tests PRIVATE testsupport device keyboard_control)
add_test(NAME infrared_tests
         COMMAND bash ${CMAKE_SOURCE_DIR}/tools/keyboard_sim/with_keyboard.sh $<TARGET_FILE:infrared_tests> --gtest_color=no)
# A keyboard that freezes the link shows as a time-out of the whole program.
set_tests_properties(infrared_tests PROPERTIES TIMEOUT 300)
