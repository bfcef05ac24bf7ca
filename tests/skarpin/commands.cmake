# The name dialogs, copying or moving several overlays and change-paths, each opened for real.
add_wine_test(namedialogs_tests
    SOURCES ${STORE_TESTS}/ConfigFixture.cpp ${STORE_TESTS}/SetFixture.cpp ${STORE_TESTS}/OverlayFixture.cpp
            NameDialogsTest.cpp CopyOverlayDlgTest.cpp
            CopyMoveDlgTest.cpp ChangePathDlgTest.cpp OldSetTest.cpp
    RESOURCES ${CMAKE_SOURCE_DIR}/resources/skarpin.rc
    LIBS skarpin_windows)

# The main window's file commands on fixture sets, with the driver stand-in beside the test program.
add_wine_test(commands_tests
    SOURCES ${STORE_TESTS}/ConfigFixture.cpp ${STORE_TESTS}/SetFixture.cpp ${STORE_TESTS}/OverlayFixture.cpp
            ${STORE_TESTS}/DriverStandIn.cpp MainWindowFixture.cpp
            SetCommandsTest.cpp OverlayCommandsTest.cpp OverlayEditorSeamTest.cpp
    RESOURCES ${CMAKE_SOURCE_DIR}/resources/skarpin.rc
    LIBS skarpin_windows)
copy_driver_stand_in(commands_tests)
