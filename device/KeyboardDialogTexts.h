// What the four keyboard settings dialogs share: the seven times their radios offer, and the
// Swedish texts they put in place of their templates' placeholders.
#pragma once
#include "framework/Dialog.h"
#include <initializer_list>
#include <string>
#include <utility>

namespace keyboardtexts {

// The times in seconds, in the order of a group's radios (the key-timing groups have "off" first).
constexpr int kTimeCount = 7;
extern const float kTimes[kTimeCount];
// The index of the time equal to value; a value that is none of them checks the longest, 2.0.
int TimeIndex(float value);

// The caption (the caller's when not empty, else the string captionId), the controls' texts by
// string id, and "Avbryt" on Cancel.
void SetTexts(const fw::Dialog& dialog, UINT captionId, const std::string& caption,
              std::initializer_list<std::pair<int, UINT>> texts);

// The index of the checked radio among count radios from first; -1 when none is checked.
int CheckedRadio(const fw::Dialog& dialog, int first, int count);
void CheckRadio(const fw::Dialog& dialog, int first, int count, int index);
void EnableRadios(const fw::Dialog& dialog, int first, int count, bool enable);

} // namespace keyboardtexts
