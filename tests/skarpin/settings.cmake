# The main window's drag and drop and settings commands, the speech and printer set-up, and the
# keyboard settings dialogs, each opened for real.
add_wine_test(settings_tests
    SOURCES ${STORE_TESTS}/ConfigFixture.cpp ${STORE_TESTS}/SetFixture.cpp ${STORE_TESTS}/OverlayFixture.cpp
            MainWindowFixture.cpp ${STORE_TESTS}/DriverStandIn.cpp DropOverlaysTest.cpp
            KeyboardSettingsTest.cpp KeyboardDialogsTest.cpp MainWindowSettingsTest.cpp
            ${CMAKE_SOURCE_DIR}/tests/support/SpeechTestSupport.cpp
    RESOURCES ${CMAKE_SOURCE_DIR}/resources/skarpin.rc
    LIBS skarpin_windows)

# Our speech engine lies beside the test program, copied at every build so it is never tested stale.
add_custom_target(settings_tests_engine ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:settings_tests>/speech
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:acatts> $<TARGET_FILE_DIR:settings_tests>/speech
    DEPENDS acatts)
add_dependencies(settings_tests settings_tests_engine)
