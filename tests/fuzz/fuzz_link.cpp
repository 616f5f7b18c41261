// Reply parsing of the link: whatever bytes the machine sends, in whatever chunks, end in a
// result without a fault; a device string that is read is terminated within its buffer; a
// payload never exceeds what arrived; and once the stray bytes are in, the next command gets
// its own reply. The first input byte is the chunk size (0: all at once).

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "link/usb_comm.h"
#include "platform/fs/fs.h"
#include "support/fake_clock.h"
#include "support/simulated_machine.h"

namespace {

using namespace std::chrono_literals;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // No folder to log into: every line is skipped quickly.
    static bool noLog = (platform::OverrideProgramFolder(L"/nonexistent/vm-fuzz-link/"), true);
    (void)noLog;
    if (size == 0) {
        return 0;
    }
    // A clock of its own per input: one shared across a long run would pass the end of its
    // range after some 50,000 inputs.
    test::FakeClock clock;
    platform::ScopedClock clockScope(&clock);
    std::vector<uint8_t> wire(data + 1, data + size);
    for (bool deviceString : {true, false}) {
        test::SimulatedMachine machine;
        machine.SetPollStep(500ms);  // a time-out in a few dozen polls
        platform::ScopedD2xxBackend backend(&machine);
        CUsbComm link;
        Check(link.OpenByDescription() == kLinkOk);
        if (deviceString) {
            machine.InjectFault(0xA1, 1, test::MachineFault::Wire(wire, data[0]));
            DeviceString text;
            text.fill('#');
            if (link.ReadDeviceString(1, text) == kLinkOk) {
                Check(std::memchr(text.data(), 0, text.size()) != nullptr);
            }
        } else {
            machine.InjectFault(0xA6, 1, test::MachineFault::Wire(wire, data[0]));
            const uint8_t close[] = {0xA6};
            link.SendFrame(close, 1, false);
            std::vector<uint8_t> payload(UsbFrame::kMaxPayload);
            uint32_t length = 0;
            if (link.ReceiveFrame(payload.data(), &length) == kLinkOk) {
                Check(length + UsbFrame::kOverhead <= wire.size());
            } else {
                Check(length == 0);
            }
        }
        clock.Advance(std::chrono::hours(24));
        Check(link.ShowProgress(1) == kLinkOk);
    }
    return 0;
}
