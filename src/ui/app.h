#pragma once
// The application object: starts the program on its main window and runs the main loop.

#include <string>

class CVellomardstineApp {
  public:
    CVellomardstineApp();
    virtual ~CVellomardstineApp();

    // Start-up and the main loop; true once the loop has ended. False when the main window
    // could not be built (its skin is missing or unreadable).
    virtual bool InitInstance();
    virtual int ExitInstance();
    // InitInstance, then ExitInstance; the process's exit code.
    int Run();

    const std::wstring& GetAppId() const { return m_strAppId; }
    const std::wstring& GetRegistryKey() const { return m_strRegistryKey; }

  protected:
    void SetRegistryKey(const std::wstring& key) { m_strRegistryKey = key; }

  private:
    std::wstring m_strAppId;
    std::wstring m_strRegistryKey;
};

extern CVellomardstineApp theApp;
