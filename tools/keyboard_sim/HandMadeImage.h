// Set images made by hand in the compiler's layout, for the serial tests and the transfer benchmark.
#pragma once
#include "store/SetImage.h"

// Appends `count` overlays numbered from `firstNumber`, each with its 7-byte header (default timing),
// `blocks` one-cell blocks (at most 127) whose commands are `commandBytes` key bytes, and 0x03.
void AppendHandMadeOverlays(SetImage& image, int firstNumber, int count, int blocks, int commandBytes);
