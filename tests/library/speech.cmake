# Speech: the engine binding against our own engine (tools/acatts) and a partial one, and the
# TextSpeaker client.
add_library(partial_speech_engine SHARED ${CMAKE_CURRENT_LIST_DIR}/PartialSpeechEngine.cpp)
set_target_properties(partial_speech_engine PROPERTIES OUTPUT_NAME PartialEngine PREFIX "" SUFFIX ".dll")
target_link_options(partial_speech_engine PRIVATE -Wl,--kill-at)

add_wine_test(speech_tests
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/BabTTSTest.cpp ${CMAKE_CURRENT_LIST_DIR}/TextSpeakerTest.cpp
            ${CMAKE_SOURCE_DIR}/tests/support/SpeechTestSupport.cpp
    RESOURCES ${CMAKE_SOURCE_DIR}/resources/skarpin.rc
    LIBS library components)

# The tests install the engines from a folder beside the test program; copied at every build so
# a rebuilt engine is never tested stale.
add_custom_target(speech_test_engines ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory $<TARGET_FILE_DIR:speech_tests>/speech
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:acatts> $<TARGET_FILE:partial_speech_engine>
            $<TARGET_FILE_DIR:speech_tests>/speech
    DEPENDS acatts partial_speech_engine)
add_dependencies(speech_tests speech_test_engines)
