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
add_custom_target(commands_test_driver ALL
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:usbdriver> $<TARGET_FILE_DIR:commands_tests>
    DEPENDS usbdriver)
add_dependencies(commands_tests commands_test_driver)
