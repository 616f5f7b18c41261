#pragma once
// What the key information pane derives from a key record, apart from any window: the keypad,
// the room for the bitting, the type name and the clamp picture.

#include <string>

#include "model/key_records.h"

namespace key_info {

inline constexpr int kDigitButtons = 15;

// The skin's name of the button that enters depth k: "buttonNum1" to "buttonNum9", then
// "buttonNumA" to "buttonNumF".
std::wstring DigitButtonName(int k);

// How many digit buttons carry a depth: the depths of the first group, at most the fifteen
// buttons; none for a dimple key.
int KeypadSize(const KeyParams& key);

// How many depth numbers the bitting holds at most: the cuts of the first group, or of the first
// two groups together when that is more.
int BittingCapacity(const KeyParams& key);

// The string id of the type's name; 0 for 6 and any type outside 1 to 9.
int KeyTypeStringId(int keyType);

// The picture of the clamp to use as an image description; empty when the record names no
// picture there is (a clamp type other than 1 or 2, a clamp side outside A to D).
std::wstring ClampImage(int clampType, int clampPicture, int clampSide);

}  // namespace key_info
