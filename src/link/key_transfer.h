#pragma once
// The carrier of key files: export of the finished keys, import of a key file, and the copy of
// the saved key database onto the machine.

#include <memory>
#include <string>

#include "link/usb_comm.h"
#include "model/key_exchange.h"

class CKeyTransfer {
  public:
    // Writes every record of g_KeyData to path; 1 written, 0 not ("KeyData.u" missing or the
    // file could not be written, which leaves an existing file as it was).
    int ExportKeyData(const std::wstring& path);

    // Appends the acceptable records of the key file at path to g_KeyData with new ids, and
    // saves "KeyData.u" whenever the file existed.
    ImportOutcome ImportKeyFile(const std::wstring& path);

    // Opens the link and puts the machine into its boot mode; false when either failed.
    bool Connect();
    // 1 when the link is open and the machine in its boot mode, else 0 (the link released).
    int OpenLink();
    // Copies "KeyData.u" onto the machine's drive, leaves the boot mode and releases the
    // link; true only when every command succeeded. Called after Connect returned true.
    bool WriteKeyDataToMachine();

  private:
    // Held between OpenLink and WriteKeyDataToMachine.
    std::unique_ptr<CUsbComm> m_link;
};
