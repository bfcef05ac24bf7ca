# Content object pictures: loading, the drawing geometry and pixels of drawn objects.
add_wine_test(content_draw_tests
    SOURCES ContentLayoutTest.cpp ContentDrawTest.cpp PictureFixtures.cpp ImageBaseFiles.cpp
    RESOURCES ${CMAKE_SOURCE_DIR}/resources/skarpin.rc
    LIBS library)
