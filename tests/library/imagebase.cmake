# The image bases: records, store, code resolution, word search and the file tools, and the ini
# reader they read through.
add_wine_test(imagebase_tests
    SOURCES ImageBaseFiles.cpp ImageBaseRecordsTest.cpp ImageBaseStoreTest.cpp ImageBaseLookupTest.cpp
            ImageBasePathsTest.cpp ImageBaseReadingTest.cpp IniReaderTest.cpp
            FolderListingTest.cpp
    LIBS library)
