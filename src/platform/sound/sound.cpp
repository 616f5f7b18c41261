#include "platform/sound/sound.h"

#include <alsa/asoundlib.h>

#include <algorithm>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <mutex>

namespace platform {
namespace {

constexpr unsigned kSampleRate = 44100;
constexpr int16_t kAmplitude = 8000;
// What ALSA may buffer ahead, in microseconds.
constexpr unsigned kLatency = 100000;

std::mutex g_recordLock;
std::vector<BeepRecord>* g_recorded = nullptr;
std::vector<BeepRecord> g_recording;
std::atomic<bool> g_unavailableTold{false};

// ALSA writes its complaints to stderr; one line of ours says it instead.
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

void TellUnavailable(const char* reason) {
    if (!g_unavailableTold.exchange(true)) {
        std::fprintf(stderr, "no sound device, beeps are silent: %s\n", reason);
    }
}

bool Record(unsigned frequency, unsigned milliseconds) {
    std::lock_guard lock(g_recordLock);
    if (g_recorded == nullptr) {
        return false;
    }
    g_recorded->push_back({frequency, milliseconds});
    return true;
}

std::vector<int16_t> SquareWave(unsigned frequency, unsigned milliseconds) {
    std::vector<int16_t> samples(static_cast<size_t>(kSampleRate) * milliseconds / 1000);
    // Half a period in samples; at least one so that any frequency sounds as something.
    size_t half =
        frequency == 0 ? samples.size() + 1 : std::max<size_t>(kSampleRate / frequency / 2, 1);
    for (size_t i = 0; i < samples.size(); ++i) {
        samples[i] = (i / half) % 2 == 0 ? kAmplitude : static_cast<int16_t>(-kAmplitude);
    }
    return samples;
}

void Play(const std::vector<int16_t>& samples) {
    snd_lib_error_set_handler(QuietAlsa);
    snd_pcm_t* pcm = nullptr;
    // Non-blocking open: a device held by another program must not hold the caller up.
    int error = snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
    if (error < 0) {
        TellUnavailable(snd_strerror(error));
        return;
    }
    error = snd_pcm_nonblock(pcm, 0);
    if (error >= 0) {
        error = snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1,
                                   kSampleRate, 1, kLatency);
    }
    size_t done = 0;
    while (error >= 0 && done < samples.size()) {
        snd_pcm_sframes_t written =
            snd_pcm_writei(pcm, samples.data() + done, samples.size() - done);
        if (written < 0) {
            error = snd_pcm_recover(pcm, static_cast<int>(written), 1);
        } else {
            done += static_cast<size_t>(written);
        }
    }
    if (error >= 0) {
        snd_pcm_drain(pcm);
    } else {
        TellUnavailable(snd_strerror(error));
    }
    snd_pcm_close(pcm);
}

}  // namespace

void Beep(unsigned frequency, unsigned milliseconds) {
    if (Record(frequency, milliseconds)) {
        return;
    }
    Play(SquareWave(frequency, milliseconds));
}

ScopedBeepRecorder::ScopedBeepRecorder() {
    std::lock_guard lock(g_recordLock);
    g_recording.clear();
    g_recorded = &g_recording;
}

ScopedBeepRecorder::~ScopedBeepRecorder() {
    std::lock_guard lock(g_recordLock);
    g_recorded = nullptr;
}

std::vector<BeepRecord> ScopedBeepRecorder::Beeps() const {
    std::lock_guard lock(g_recordLock);
    return g_recording;
}

}  // namespace platform
