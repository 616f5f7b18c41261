#pragma once
// A link to the simulated machine, on a fake clock, with the log in a fresh program folder.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "link/usb_comm.h"
#include "support/fake_clock.h"
#include "support/simulated_machine.h"
#include "support/temp_folder.h"

namespace test {

class LinkTest : public ::testing::Test {
  protected:
    LinkTest() : programFolder_(folder_), clockScope_(&clock_), backendScope_(&machine_) {}

    // Opens the link; every test that talks to the machine starts here.
    void Open() { ASSERT_EQ(link_.OpenByDescription(), kLinkOk); }

    std::chrono::milliseconds Elapsed() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(clock_.Now() - start_);
    }

    // The log's lines without their time stamps and line ends.
    std::vector<std::string> LogTexts() const;
    bool LogHas(const std::string& text) const;
    void ClearLog() const;

    TempFolder folder_;
    ScopedProgramFolder programFolder_;
    mutable FakeClock clock_;
    platform::ScopedClock clockScope_;
    SimulatedMachine machine_;
    platform::ScopedD2xxBackend backendScope_;
    std::chrono::steady_clock::time_point start_ = clock_.Now();
    CUsbComm link_;
};

// The request frame the machine should see for a payload.
std::vector<uint8_t> FrameOf(const std::vector<uint8_t>& payload);

std::vector<uint8_t> Bytes(const std::string& text);
std::vector<uint8_t> Concat(std::vector<uint8_t> head, const std::vector<uint8_t>& tail);

}  // namespace test
