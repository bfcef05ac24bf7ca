# Sound: WAVE files, pause cutting, recording settings and dialog, the media players and the picture
# and sound open dialogs. This program runs with no sound device at all, whatever the machine has,
# so the failure paths are the same everywhere.
set(SOUND_TEST_DIR ${CMAKE_CURRENT_LIST_DIR})
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/no-sound-device.conf "# No sound device: every pcm is unknown.\n")
add_wine_test(sound_tests
    SOURCES ${SOUND_TEST_DIR}/WaveFileTest.cpp ${SOUND_TEST_DIR}/PauseCuttingTest.cpp
            ${SOUND_TEST_DIR}/RecordSettingsTest.cpp ${SOUND_TEST_DIR}/RecordSoundDlgTest.cpp
            ${SOUND_TEST_DIR}/MediaPlayerTest.cpp ${SOUND_TEST_DIR}/OpenFileDlgTest.cpp
            ${SOUND_TEST_DIR}/SoundTestSupport.cpp
    RESOURCES ${CMAKE_SOURCE_DIR}/resources/skarpin.rc
    LIBS library)
# Wine would take PulseAudio or OSS when a machine has them: only ALSA, and ALSA without devices.
set_tests_properties(sound_tests PROPERTIES ENVIRONMENT
    "ALSA_CONFIG_PATH=${CMAKE_CURRENT_BINARY_DIR}/no-sound-device.conf;WINEDLLOVERRIDES=winepulse.drv,wineoss.drv=d")

# The same code against a sound device (ALSA's null device, through a file for the data) and the
# Linux sound tools: a script sets them up, runs this program under Wine and checks its files with sox.
add_executable(sound_device_tests ${SOUND_TEST_DIR}/SoundDeviceTest.cpp ${SOUND_TEST_DIR}/SoundTestSupport.cpp)
rz_add_resources(sound_device_tests ${CMAKE_SOURCE_DIR}/resources/skarpin.rc)
target_link_libraries(sound_device_tests PRIVATE testsupport library)
add_test(NAME sound_device_tests
         COMMAND bash ${SOUND_TEST_DIR}/sound_device_tests.sh $<TARGET_FILE:sound_device_tests>
                 ${CMAKE_SOURCE_DIR}/scripts/wine-run)
set_tests_properties(sound_device_tests PROPERTIES TIMEOUT 600)
