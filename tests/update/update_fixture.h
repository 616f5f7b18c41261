#pragma once
// An update command run end to end: the loopback update server, the simulated machine on a
// fake clock, a work folder of the test's own and a recording report.

#include <gtest/gtest.h>

#include <vector>

#include "platform/sound/sound.h"
#include "support/fake_clock.h"
#include "support/recording_report.h"
#include "support/simulated_machine.h"
#include "update/server_fixture.h"
#include "update/update_procedures.h"

namespace test {

class UpdateFixture : public ServerFixture {
  protected:
    UpdateFixture();

    // English texts over Chinese ones, as a dialog set to Chinese and then English holds them.
    UpdateJob Job(const MachineVariant& machine = kAltoMachine);
    // A 7z archive of image made by 7zz (stored, so that its size is predictable) served as
    // the data image.
    std::vector<uint8_t> ServeImage(const std::vector<uint8_t>& image);
    // Firmware parts of the given sizes, each filled with its own byte.
    Records ServeFirmware(std::vector<size_t> sizes,
                          std::vector<uint8_t> head = {0x11, '1', '.', '2', '.', '7'});
    std::vector<std::vector<uint8_t>> Sent(uint8_t code) const;
    // Codes of the requests after the last one with code `after`.
    std::vector<uint8_t> CodesAfter(uint8_t after) const;
    bool LeftAndClosed() const {
        return machine_.Mode() == MachineMode::Normal && !machine_.IsOpen();
    }
    std::vector<platform::BeepRecord> Beeps() const { return beeps_.Beeps(); }

    FakeClock clock_;
    platform::ScopedClock clockScope_{&clock_};
    SimulatedMachine machine_;
    platform::ScopedD2xxBackend backend_{&machine_};
    platform::ScopedBeepRecorder beeps_;
    TempFolder work_;
    RecordingReport report_;
};

std::vector<uint8_t> Pattern(size_t size, uint32_t seed);
// The records one after the other.
std::vector<uint8_t> Joined(const Records& parts);

}  // namespace test
