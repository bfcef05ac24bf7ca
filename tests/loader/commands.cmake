# The name dialogs, copying or moving several overlays and change-paths, each opened for real.
add_wine_test(namedialogs_tests
    SOURCES ConfigFixture.cpp SetFixture.cpp OverlayFixture.cpp NameDialogsTest.cpp CopyOverlayDlgTest.cpp
            CopyMoveDlgTest.cpp ChangePathDlgTest.cpp
    RESOURCES ${CMAKE_SOURCE_DIR}/resources/skarpin.rc
    LIBS loader)

# The main window's file commands on fixture sets, with the driver stand-in beside the test program.
add_wine_test(commands_tests
    SOURCES ConfigFixture.cpp SetFixture.cpp OverlayFixture.cpp DriverStandIn.cpp MainWindowFixture.cpp
            SetCommandsTest.cpp OverlayCommandsTest.cpp OverlayEditorSeamTest.cpp
    RESOURCES ${CMAKE_SOURCE_DIR}/resources/skarpin.rc
    LIBS loader)
copy_driver_stand_in(commands_tests)
