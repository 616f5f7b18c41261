#pragma once
// The update tool's commands, window-free: each runs on the worker the dialog started for it
// and reports through an UpdateReport. The dialog locks its buttons before it starts the
// worker and unlocks them after the command returns; the commands themselves never touch
// the dialog's buttons.

#include <array>
#include <cstddef>
#include <cstdint>
#include <stop_token>
#include <string>

#include "link/usb_comm.h"
#include "res/update_texts.h"
#include "update/server_comm.h"
#include "update/update_report.h"

// How one update dialog reaches its machine and its server. The two dialogs differ only here.
struct MachineVariant {
    uint32_t linkRate;
    LinkResult (CUsbComm::*open)();
    LinkResult (CUsbComm::*enterBootMode)();
    LinkResult (CUsbComm::*leaveBootMode)();
    // Data-image blocks: their size and the command that writes one.
    size_t sdBlockSize;
    LinkResult (CUsbComm::*writeSdBlock)(const uint8_t*, uint32_t, size_t);
    // The product byte of every server request and the client's method set.
    uint8_t product;
    bool (CServerComm::*addParam)(std::span<const uint8_t>);
    void (CServerComm::*transact)();
};

// CMachineAltoUpdate, the dialog the user sees.
inline constexpr MachineVariant kAltoMachine{
    .linkRate = 2'000'000,
    .open = &CUsbComm::HwOpen,
    .enterBootMode = &CUsbComm::EnterBios,
    .leaveBootMode = &CUsbComm::ExitBios,
    .sdBlockSize = 2048,
    .writeSdBlock = &CUsbComm::WriteSdBlock,
    .product = 0x04,
    .addParam = &CServerComm::AddParam,
    .transact = &CServerComm::Transact,
};

// CVorlantrexUpdateDlg, the variant that is built but never shown.
inline constexpr MachineVariant kVorlantrexMachine{
    .linkRate = 2'000'000,
    .open = &CUsbComm::OpenByDescriptionRetry,
    .enterBootMode = &CUsbComm::ResetAndSetBaud,
    .leaveBootMode = &CUsbComm::PulseCbus,
    .sdBlockSize = 1024,
    .writeSdBlock = &CUsbComm::WriteSdPart,
    .product = 0x02,
    .addParam = &CServerComm::AddParamOld,
    .transact = &CServerComm::TransactOld,
};

using UpdateTextTable = std::array<std::wstring, res::kUpdateTextCount>;

// Everything a command needs from its dialog, copied when the worker starts.
struct UpdateJob {
    UpdateReport* report = nullptr;
    const MachineVariant* machine = &kAltoMachine;
    int languageIndex = 0;
    // The dialog's text table as its language left it (update text n is texts[n - 1]); the
    // variant's stays empty.
    UpdateTextTable texts;
    // The work folder ("tarvan"); "temp.7z" and "sdcard.bin" lie in it.
    std::wstring workFolder;
    // The version list's current text; empty when the list is empty.
    std::wstring selectedVersion;
    // The typed serial number, already in upper case (file creation only).
    std::wstring serial;
    // Given only to work that sends nothing to the machine. Once stop is requested the command
    // ends at its next wait, tells the report nothing more and leaves no file behind.
    std::stop_token stop;
};

// Version refresh at opening and on the refresh button: notes, then the list.
void RefreshVersions(const UpdateJob& job);

// Start button: firmware, then data image.
void UpdateOnline(const UpdateJob& job);
// Tools menu: the firmware alone.
void UpdateProgramOnly(const UpdateJob& job);
// Tools menu "Fix data error": the data image alone.
void RepairData(const UpdateJob& job);

// Offline update file: created from the server for job.serial, or applied to the machine.
// Both ask the report for the file.
void CreateOfflineUpdateFile(const UpdateJob& job);
void ApplyOfflineUpdateFile(const UpdateJob& job);

// Maintenance commands.
void ShowDeviceInfo(const UpdateJob& job);
void EnterBootMode(const UpdateJob& job);
// Asks the report first and does nothing on "no".
void ClearAllData(const UpdateJob& job);
enum class ClampModel { kOld, kNew };
void SetClampModel(const UpdateJob& job, ClampModel model);
