#include "platform/d2xx/d2xx_libftdi.h"

#include <ftdi.h>
#include <libusb.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace platform {
namespace {

// D2XX keeps a receive queue and reports its length; libftdi only reads. The device keeps a
// queue of its own, filled whenever the caller asks how much is waiting.
constexpr int kReadChunk = 4096;
constexpr size_t kMaxQueued = 1 << 20;
// The chip's default of 16 ms would add that much to every reply.
constexpr unsigned char kLatencyMs = 2;

struct ContextDeleter {
    void operator()(ftdi_context* context) const { ftdi_free(context); }
};
using Context = std::unique_ptr<ftdi_context, ContextDeleter>;

struct DeviceList {
    ftdi_device_list* head = nullptr;
    ~DeviceList() { ftdi_list_free(&head); }
};

class LibFtdiDevice final : public D2xxDevice {
  public:
    explicit LibFtdiDevice(Context context) : context_(std::move(context)) {}
    ~LibFtdiDevice() override { ftdi_usb_close(context_.get()); }

    FT_STATUS SetDataCharacteristics(uint8_t wordLength, uint8_t stopBits,
                                     uint8_t parity) override {
        if ((wordLength != 7 && wordLength != 8) || stopBits > 2 || parity > 4) {
            return FT_INVALID_PARAMETER;
        }
        bits_ = wordLength == 7 ? BITS_7 : BITS_8;
        stopBits_ = stopBits == 0 ? STOP_BIT_1 : (stopBits == 1 ? STOP_BIT_15 : STOP_BIT_2);
        parity_ = static_cast<ftdi_parity_type>(parity);
        return Check(ftdi_set_line_property(context_.get(), bits_, stopBits_, parity_));
    }

    FT_STATUS SetBaudRate(uint32_t rate) override {
        return ftdi_set_baudrate(context_.get(), static_cast<int>(rate)) < 0 ? FT_INVALID_BAUD_RATE
                                                                             : FT_OK;
    }

    FT_STATUS Write(const uint8_t* bytes, uint32_t count, uint32_t* written) override {
        int result = ftdi_write_data(context_.get(), bytes, static_cast<int>(count));
        *written = result > 0 ? static_cast<uint32_t>(result) : 0;
        return result < 0 ? FT_IO_ERROR : FT_OK;
    }

    FT_STATUS Read(uint8_t* bytes, uint32_t count, uint32_t* read) override {
        if (queue_.size() < count) {
            FT_STATUS status = Fill();
            if (status != FT_OK) {
                *read = 0;
                return status;
            }
        }
        size_t taken = std::min<size_t>(count, queue_.size());
        std::memcpy(bytes, queue_.data(), taken);
        queue_.erase(queue_.begin(), queue_.begin() + static_cast<ptrdiff_t>(taken));
        *read = static_cast<uint32_t>(taken);
        return FT_OK;
    }

    FT_STATUS GetStatus(uint32_t* rx, uint32_t* tx, uint32_t* events) override {
        FT_STATUS status = Fill();
        *rx = static_cast<uint32_t>(queue_.size());
        *tx = 0;
        *events = 0;
        return status;
    }

    FT_STATUS SetBitMode(uint8_t mask, uint8_t mode) override {
        return Check(ftdi_set_bitmode(context_.get(), mask, mode));
    }

    FT_STATUS ResetDevice() override {
        queue_.clear();
        return Check(ftdi_usb_reset(context_.get()));
    }

    FT_STATUS Purge(uint32_t mask) override {
        FT_STATUS status = FT_OK;
        if (mask & FT_PURGE_RX) {
            queue_.clear();
            status = Check(ftdi_tciflush(context_.get()));
        }
        if ((mask & FT_PURGE_TX) && status == FT_OK) {
            status = Check(ftdi_tcoflush(context_.get()));
        }
        return status;
    }

    FT_STATUS SetBreak(bool on) override {
        return Check(ftdi_set_line_property2(context_.get(), bits_, stopBits_, parity_,
                                             on ? BREAK_ON : BREAK_OFF));
    }

  private:
    static FT_STATUS Check(int result) { return result < 0 ? FT_IO_ERROR : FT_OK; }

    FT_STATUS Fill() {
        if (queue_.size() >= kMaxQueued) {
            return FT_OK;
        }
        unsigned char chunk[kReadChunk];
        int got = ftdi_read_data(context_.get(), chunk, kReadChunk);
        if (got < 0) {
            return FT_IO_ERROR;
        }
        queue_.insert(queue_.end(), chunk, chunk + got);
        return FT_OK;
    }

    Context context_;
    std::vector<uint8_t> queue_;
    ftdi_bits_type bits_ = BITS_8;
    ftdi_stopbits_type stopBits_ = STOP_BIT_1;
    ftdi_parity_type parity_ = NONE;
};

class LibFtdiBackendImpl final : public D2xxBackend {
  public:
    FT_STATUS CountDevices(uint32_t* count) override {
        *count = 0;
        Context context(ftdi_new());
        if (!context) {
            return FT_OTHER_ERROR;
        }
        DeviceList list;
        // Vendor and product 0 stand for FTDI's own ids.
        int found = ftdi_usb_find_all(context.get(), &list.head, 0, 0);
        if (found < 0) {
            return FT_OTHER_ERROR;
        }
        *count = static_cast<uint32_t>(found);
        return FT_OK;
    }

    FT_STATUS OpenByDescription(std::string_view description,
                                std::unique_ptr<D2xxDevice>* device) override {
        Context context(ftdi_new());
        if (!context) {
            return FT_OTHER_ERROR;
        }
        DeviceList list;
        if (ftdi_usb_find_all(context.get(), &list.head, 0, 0) < 0) {
            return FT_OTHER_ERROR;
        }
        for (ftdi_device_list* entry = list.head; entry != nullptr; entry = entry->next) {
            char product[256] = {};
            if (ftdi_usb_get_strings(context.get(), entry->dev, nullptr, 0, product,
                                     sizeof(product), nullptr, 0) < 0 ||
                description != product) {
                continue;
            }
            // A chip that another opener holds cannot be claimed.
            if (ftdi_usb_open_dev(context.get(), entry->dev) < 0) {
                return FT_DEVICE_NOT_OPENED;
            }
            ftdi_set_latency_timer(context.get(), kLatencyMs);
            *device = std::make_unique<LibFtdiDevice>(std::move(context));
            return FT_OK;
        }
        return FT_DEVICE_NOT_FOUND;
    }

    std::vector<std::string> AccessRefused() override {
        std::vector<std::string> refused;
        Context context(ftdi_new());
        DeviceList list;
        if (!context || ftdi_usb_find_all(context.get(), &list.head, 0, 0) < 0) {
            return refused;
        }
        for (ftdi_device_list* entry = list.head; entry != nullptr; entry = entry->next) {
            libusb_device_handle* handle = nullptr;
            int result = libusb_open(entry->dev, &handle);
            if (result == 0) {
                libusb_close(handle);
                continue;
            }
            libusb_device_descriptor ids{};
            if (result != LIBUSB_ERROR_ACCESS ||
                libusb_get_device_descriptor(entry->dev, &ids) != 0) {
                continue;
            }
            char name[64];
            std::snprintf(name, sizeof(name), "bus %u device %u (%04x:%04x)",
                          libusb_get_bus_number(entry->dev), libusb_get_device_address(entry->dev),
                          ids.idVendor, ids.idProduct);
            refused.emplace_back(name);
        }
        return refused;
    }
};

}  // namespace

D2xxBackend& LibFtdiBackend() {
    static LibFtdiBackendImpl backend;
    return backend;
}

}  // namespace platform
