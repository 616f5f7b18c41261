#include "update/server_endpoint.h"

#include <mutex>

#include "platform/fs/fs.h"
#include "platform/profile/profile.h"
#include "platform/text/text.h"

namespace {

std::mutex g_overrideMutex;
std::optional<ServerEndpoint> g_override;

}  // namespace

ServerEndpoint ConfiguredServerEndpoint() {
    {
        std::lock_guard lock(g_overrideMutex);
        if (g_override) {
            return *g_override;
        }
    }
    std::wstring address = platform::ReadProfileString(platform::ProgramFolder() + L"config.ini",
                                                       L"Server", L"Address", L"");
    ServerEndpoint endpoint;
    endpoint.address = address.empty() ? "127.0.0.1" : platform::WideToUtf8(address);
    return endpoint;
}

ScopedServerEndpoint::ScopedServerEndpoint(const ServerEndpoint& endpoint) {
    std::lock_guard lock(g_overrideMutex);
    m_previous = g_override;
    g_override = endpoint;
}

ScopedServerEndpoint::~ScopedServerEndpoint() {
    std::lock_guard lock(g_overrideMutex);
    g_override = m_previous;
}
