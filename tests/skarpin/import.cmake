# The import wizard: its model, the placing into a fixture configuration, and the wizard driven by
# messages, over archives made by our export and by Python's zipfile (import_archives.py, which
# import_tests.sh runs first).
set(IMPORT_TEST_DIR ${CMAKE_CURRENT_LIST_DIR})
add_executable(import_tests
    ${IMPORT_TEST_DIR}/ImportModelTest.cpp ${IMPORT_TEST_DIR}/ImportPlacingTest.cpp
    ${IMPORT_TEST_DIR}/ImportWizardTest.cpp ${IMPORT_TEST_DIR}/ImportFixture.cpp
    ${IMPORT_TEST_DIR}/ExportFixture.cpp ${IMPORT_TEST_DIR}/ExportWizardDriver.cpp ${STORE_TESTS}/OverlayFixture.cpp
    ${STORE_TESTS}/ConfigFixture.cpp ${IMPORT_TEST_DIR}/FileListing.cpp
    ${CMAKE_SOURCE_DIR}/tests/library/PictureFixtures.cpp)
rz_add_resources(import_tests ${CMAKE_SOURCE_DIR}/resources/skarpin.rc)
target_link_libraries(import_tests PRIVATE testsupport skarpin_windows)
target_include_directories(import_tests PRIVATE ${IMPORT_TEST_DIR} ${CMAKE_SOURCE_DIR}/tests/library)
add_test(NAME import_tests
         COMMAND bash ${IMPORT_TEST_DIR}/import_tests.sh $<TARGET_FILE:import_tests> ${CMAKE_SOURCE_DIR}/scripts/wine-run
                 --gtest_color=no)
set_tests_properties(import_tests PROPERTIES TIMEOUT 600 SKIP_RETURN_CODE 77)
