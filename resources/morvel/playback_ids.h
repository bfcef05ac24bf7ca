// Resource ids of Morvel's playback: speaking, reading aloud, pause.
#pragma once

// The word before a crossed symbol's speech, and the sound before its sound file (a WAVE resource).
#define IDS_NEGATION_WORD 2026
#define IDR_NEGATION_SOUND 171

#define IDS_PLAYBACK_ERROR_CAPTION 3900
#define IDS_NO_SPEECH_ENGINE 3901
#define IDS_READ_ALOUD_FAILED 3902
#define IDS_READ_ALOUD_SKIPPED 3903
