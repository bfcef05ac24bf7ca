# Pictures: packed DIBs, metafiles, the picture control and its holder.
add_wine_test(pictures_tests
    SOURCES PictureFixtures.cpp DibTest.cpp WmfTest.cpp PictureControlTest.cpp PcxTest.cpp ImagXpressTest.cpp HostileInputTest.cpp
            PictureLoadTest.cpp
    RESOURCES ${CMAKE_SOURCE_DIR}/resources/skarpin.rc
    LIBS library)
# Files made by another program's writer; Wine sees the source tree under Z:.
target_compile_definitions(pictures_tests PRIVATE PICTURE_FIXTURES="Z:${CMAKE_CURRENT_SOURCE_DIR}/fixtures")
