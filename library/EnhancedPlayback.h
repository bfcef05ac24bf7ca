// Plays an enhanced metafile record by record, keeping what a damaged or hostile file asks of the
// system's player within reach of the picture: the player draws a shape or renders a letter of
// whatever size its record asks for once mapped onto the device, and a box a billion pixels wide (or
// a pen as wide) keeps it busy for minutes.
#pragma once
#include <windows.h>

// Plays the metafile into the rectangle as PlayEnhMetaFile does, but passes over a shape whose box
// would reach further than 65536 device pixels from the origin, and cuts a font whose letters would
// be taller or wider than 4096 device pixels, and a pen wider than 1024, to that size.
void PlayEnhancedWithinReach(HDC dc, HENHMETAFILE metafile, const RECT& rect);
