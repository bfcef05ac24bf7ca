// Overlays of one-cell blocks with key-byte commands, laid out as the set compiler lays them.
#include "tools/keyboard_sim/HandMadeImage.h"

#include <windows.h>

void AppendHandMadeOverlays(SetImage& image, int firstNumber, int count, int blocks, int commandBytes)
{
    for (int overlay = 0; overlay < count; ++overlay) {
        // Start, number, block count; Frequency 0.7 and RepeatDelay 1.0, no signal delay or bounce
        // lock, flash and beep; the reserved byte.
        const BYTE header[] = {0x01, static_cast<BYTE>(0x80 | (firstNumber + overlay)), static_cast<BYTE>(0x80 | blocks),
                               0xC5, 0x80, 0x83, 0x80};
        image.Append(header, sizeof(header));
        for (int block = 0; block < blocks; ++block) {
            const BYTE cell = static_cast<BYTE>(0x80 | block);
            const BYTE head[] = {0x02, 0x80, 0x81, cell, cell};
            image.Append(head, sizeof(head));
            for (int i = 0; i < commandBytes; ++i)
                image.Append(static_cast<BYTE>(0x80 | (1 + (block * 7 + i) % 127)));
        }
        image.Append(0x03);
    }
}
