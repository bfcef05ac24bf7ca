# The image-base dialogs: choosing a picture by base, category and word, and choosing a base.
add_wine_test(imagebase_dialog_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/ImageBaseDlgTest.cpp ${CMAKE_CURRENT_LIST_DIR}/ChooserFixture.cpp
            ${CMAKE_CURRENT_LIST_DIR}/ImageBaseFiles.cpp
    RESOURCES ${CMAKE_SOURCE_DIR}/resources/skarpin.rc
    LIBS library)
