#pragma once
// Short tones in place of the Win32 Beep: a square wave on the default sound device. Without
// a device the call returns at once (the first such call logs why), so that an update on a
// machine without sound goes on unhindered.

#include <vector>

namespace platform {

// Plays the tone and returns when it has sounded.
void Beep(unsigned frequency, unsigned milliseconds);

struct BeepRecord {
    unsigned frequency;
    unsigned milliseconds;
};

// Tests: while the object lives, beeps are recorded instead of played.
class ScopedBeepRecorder {
  public:
    ScopedBeepRecorder();
    ~ScopedBeepRecorder();
    ScopedBeepRecorder(const ScopedBeepRecorder&) = delete;
    ScopedBeepRecorder& operator=(const ScopedBeepRecorder&) = delete;

    std::vector<BeepRecord> Beeps() const;
};

}  // namespace platform
