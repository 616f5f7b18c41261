#pragma once
// The two halves of an online update: the firmware from one server reply, and the data image
// downloaded, unpacked and written in blocks. Both show their own failure and return false.

#include "update/update_session.h"

bool WriteFirmware(UpdateSession& session, int from, int to, bool enterBootMode,
                   bool leaveBootMode);
bool WriteSdData(UpdateSession& session, int from, int to, bool enterBootMode, bool leaveBootMode);

// The failure text of a code of these two halves.
std::wstring UpdateFailureMessage(const UpdateSession& session, int code);

// The bytes of the first `size` characters of a device string, zero-filled.
std::vector<uint8_t> DeviceItem(const DeviceString& text, size_t size);
