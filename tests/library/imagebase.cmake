# The image bases: records, store, code resolution, word search and the file tools, and the ini
# reader they read through.
add_wine_test(imagebase_tests
    SOURCES ImageBaseFiles.cpp ImageBaseRecordsTest.cpp ImageBaseStoreTest.cpp ImageBaseLookupTest.cpp
            ImageBasePathsTest.cpp ImageBaseReadingTest.cpp IniReaderTest.cpp
    LIBS library)
# Deleting a base sends its index file to the recycle bin: keep that bin inside the build.
set_tests_properties(imagebase_tests PROPERTIES ENVIRONMENT "XDG_DATA_HOME=${CMAKE_BINARY_DIR}/recycle-bin")
