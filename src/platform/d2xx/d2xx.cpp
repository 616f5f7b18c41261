#include "platform/d2xx/d2xx.h"

#include <atomic>

#include "platform/d2xx/d2xx_libftdi.h"

namespace platform {
namespace {

std::atomic<D2xxBackend*> g_backend{nullptr};

}  // namespace

D2xxBackend& CurrentD2xxBackend() {
    D2xxBackend* backend = g_backend.load();
    return backend ? *backend : LibFtdiBackend();
}

ScopedD2xxBackend::ScopedD2xxBackend(D2xxBackend* backend)
    : previous_(g_backend.exchange(backend)) {}

ScopedD2xxBackend::~ScopedD2xxBackend() {
    g_backend.store(previous_);
}

FT_STATUS FT_ListDevices(uint32_t* count, uint32_t flags) {
    if (count == nullptr || flags != FT_LIST_NUMBER_ONLY) {
        return FT_INVALID_PARAMETER;
    }
    return CurrentD2xxBackend().CountDevices(count);
}

FT_STATUS FT_OpenEx(const char* description, uint32_t flags, FT_HANDLE* handle) {
    if (description == nullptr || handle == nullptr || flags != FT_OPEN_BY_DESCRIPTION) {
        return FT_INVALID_PARAMETER;
    }
    std::unique_ptr<D2xxDevice> device;
    FT_STATUS status = CurrentD2xxBackend().OpenByDescription(description, &device);
    if (status == FT_OK && !device) {
        status = FT_DEVICE_NOT_OPENED;
    }
    *handle = status == FT_OK ? device.release() : nullptr;
    return status;
}

FT_STATUS FT_SetDataCharacteristics(FT_HANDLE handle, uint8_t wordLength, uint8_t stopBits,
                                    uint8_t parity) {
    return handle ? handle->SetDataCharacteristics(wordLength, stopBits, parity)
                  : FT_INVALID_HANDLE;
}

FT_STATUS FT_SetBaudRate(FT_HANDLE handle, uint32_t rate) {
    return handle ? handle->SetBaudRate(rate) : FT_INVALID_HANDLE;
}

FT_STATUS FT_Write(FT_HANDLE handle, const void* buffer, uint32_t count, uint32_t* written) {
    if (handle == nullptr) {
        return FT_INVALID_HANDLE;
    }
    uint32_t ignored = 0;
    return handle->Write(static_cast<const uint8_t*>(buffer), count, written ? written : &ignored);
}

FT_STATUS FT_Read(FT_HANDLE handle, void* buffer, uint32_t count, uint32_t* read) {
    if (handle == nullptr) {
        return FT_INVALID_HANDLE;
    }
    uint32_t ignored = 0;
    return handle->Read(static_cast<uint8_t*>(buffer), count, read ? read : &ignored);
}

FT_STATUS FT_GetStatus(FT_HANDLE handle, uint32_t* rx, uint32_t* tx, uint32_t* events) {
    if (handle == nullptr) {
        return FT_INVALID_HANDLE;
    }
    uint32_t ignoredRx = 0, ignoredTx = 0, ignoredEvents = 0;
    return handle->GetStatus(rx ? rx : &ignoredRx, tx ? tx : &ignoredTx,
                             events ? events : &ignoredEvents);
}

FT_STATUS FT_SetBitMode(FT_HANDLE handle, uint8_t mask, uint8_t mode) {
    return handle ? handle->SetBitMode(mask, mode) : FT_INVALID_HANDLE;
}

FT_STATUS FT_ResetDevice(FT_HANDLE handle) {
    return handle ? handle->ResetDevice() : FT_INVALID_HANDLE;
}

FT_STATUS FT_Purge(FT_HANDLE handle, uint32_t mask) {
    return handle ? handle->Purge(mask) : FT_INVALID_HANDLE;
}

FT_STATUS FT_SetBreakOn(FT_HANDLE handle) {
    return handle ? handle->SetBreak(true) : FT_INVALID_HANDLE;
}

FT_STATUS FT_SetBreakOff(FT_HANDLE handle) {
    return handle ? handle->SetBreak(false) : FT_INVALID_HANDLE;
}

FT_STATUS FT_Close(FT_HANDLE handle) {
    if (handle == nullptr) {
        return FT_INVALID_HANDLE;
    }
    delete handle;
    return FT_OK;
}

}  // namespace platform
