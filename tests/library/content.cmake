add_wine_test(content_tests
    SOURCES ContentStringTest.cpp KvoraCommandEditTest.cpp ImageBaseFiles.cpp TypedDecimalTest.cpp
    RESOURCES ${CMAKE_SOURCE_DIR}/resources/skarpin.rc
    LIBS library)
