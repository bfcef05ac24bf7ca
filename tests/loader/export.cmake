# Zip archives against Python's zipfile and Info-ZIP: a script makes their archives, runs this program
# under Wine and reads ours with their tools.
add_executable(zip_interop_tests ${CMAKE_CURRENT_LIST_DIR}/ZipInteropTest.cpp)
target_link_libraries(zip_interop_tests PRIVATE testsupport loader)
target_include_directories(zip_interop_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR})
add_test(NAME zip_interop_tests
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/zip_interop_tests.sh $<TARGET_FILE:zip_interop_tests>
                 ${CMAKE_SOURCE_DIR}/scripts/wine-run)
set_tests_properties(zip_interop_tests PROPERTIES TIMEOUT 600 SKIP_RETURN_CODE 77)
