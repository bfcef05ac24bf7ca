# The export wizard: its model, the overlay copies, the packing, and the wizard driven by messages.
# It runs with no sound device, so a sound that is tried plays nowhere on every machine.
set(EXPORT_TEST_DIR ${CMAKE_CURRENT_LIST_DIR})
set(EXPORT_FIXTURE_SOURCES
    ${EXPORT_TEST_DIR}/ExportFixture.cpp ${EXPORT_TEST_DIR}/ExportWizardDriver.cpp ${STORE_TESTS}/OverlayFixture.cpp
    ${STORE_TESTS}/ConfigFixture.cpp ${EXPORT_TEST_DIR}/FileListing.cpp
    ${CMAKE_SOURCE_DIR}/tests/library/PictureFixtures.cpp)
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/no-sound-device.conf "# No sound device: every pcm is unknown.\n")
add_wine_test(export_tests
    SOURCES ${EXPORT_TEST_DIR}/ExportTest.cpp ${EXPORT_TEST_DIR}/ExportWizardTest.cpp
            ${EXPORT_FIXTURE_SOURCES} ${CMAKE_SOURCE_DIR}/tests/library/SoundTestSupport.cpp
    RESOURCES ${CMAKE_SOURCE_DIR}/resources/skarpin.rc
    LIBS skarpin_windows)
target_include_directories(export_tests PRIVATE ${EXPORT_TEST_DIR} ${CMAKE_SOURCE_DIR}/tests/library)
set_tests_properties(export_tests PROPERTIES ENVIRONMENT
    "ALSA_CONFIG_PATH=${CMAKE_CURRENT_BINARY_DIR}/no-sound-device.conf;WINEDLLOVERRIDES=winepulse.drv,wineoss.drv=d")

# Zip archives against Python's zipfile and Info-ZIP: a script makes their archives, runs this program
# under Wine and reads ours with their tools.
add_executable(zip_interop_tests ${EXPORT_TEST_DIR}/ZipInteropTest.cpp ${EXPORT_TEST_DIR}/ExportInteropTest.cpp
               ${EXPORT_FIXTURE_SOURCES})
rz_add_resources(zip_interop_tests ${CMAKE_SOURCE_DIR}/resources/skarpin.rc)
target_link_libraries(zip_interop_tests PRIVATE testsupport skarpin_windows)
target_include_directories(zip_interop_tests PRIVATE ${EXPORT_TEST_DIR} ${CMAKE_SOURCE_DIR}/tests/library)
add_test(NAME zip_interop_tests
         COMMAND bash ${EXPORT_TEST_DIR}/zip_interop_tests.sh $<TARGET_FILE:zip_interop_tests>
                 ${CMAKE_SOURCE_DIR}/scripts/wine-run)
set_tests_properties(zip_interop_tests PROPERTIES TIMEOUT 600 SKIP_RETURN_CODE 77)
