# Zip archives: packing, unpacking, stored names, damaged archives and diskette volumes.
add_wine_test(zip_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ZipTest.cpp
    LIBS components)
