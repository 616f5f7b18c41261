#include "update/server_comm.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <memory>
#include <string>
#include <utility>

#include "log/log.h"
#include "platform/guid/guid.h"
#include "platform/net/tcp_socket.h"
#include "platform/text/text.h"

namespace {

constexpr int kMaxAttempts = 30;
// Windows gives at most 15 characters for the computer name.
constexpr size_t kComputerNameLength = 15;

std::vector<uint8_t> Utf16LeBytes(std::wstring_view text) {
    std::vector<uint8_t> bytes;
    auto put = [&bytes](uint32_t unit) {
        bytes.push_back(static_cast<uint8_t>(unit));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    };
    for (wchar_t c : text) {
        auto code = static_cast<uint32_t>(c);
        if (code > 0xFFFF) {
            code -= 0x10000;
            put(0xD800 + (code >> 10));
            put(0xDC00 + (code & 0x3FF));
        } else {
            put(code);
        }
    }
    return bytes;
}

std::string HostName() {
    char host[HOST_NAME_MAX + 1] = {};
    if (::gethostname(host, sizeof host - 1) != 0) {
        return {};
    }
    return host;
}

}  // namespace

std::vector<uint8_t> ComputerNameItem(std::string_view hostName) {
    std::wstring name = platform::Utf8ToWide(hostName);
    return Utf16LeBytes(std::wstring_view(name).substr(0, kComputerNameLength));
}

CServerComm::CServerComm(int /*mode*/, std::stop_token stop)
    : m_endpoint(ConfiguredServerEndpoint()), m_stop(std::move(stop)) {
    m_items.reserve(kMaxRequestItems);
}

bool CServerComm::AddParam(std::span<const uint8_t> item) {
    return AddItem(item, Flavour::kCurrent);
}

bool CServerComm::AddParamOld(std::span<const uint8_t> item) {
    return AddItem(item, Flavour::kOld);
}

bool CServerComm::AddItem(std::span<const uint8_t> item, Flavour flavour) {
    // The first item brings the two that say who asks, so that it must leave room for them.
    size_t needed = m_items.empty() ? 3 : 1;
    if (item.size() > kMaxItemLength || m_items.size() + needed > kMaxRequestItems) {
        return false;
    }
    m_items.emplace_back(item.begin(), item.end());
    if (m_items.size() == 1) {
        m_items.push_back(ComputerNameItem(HostName()));
        m_items.push_back(Utf16LeBytes(flavour == Flavour::kOld ? L"1.4.3" : L"2.0.2"));
    }
    return true;
}

bool CServerComm::SetParam(int index, std::span<const uint8_t> item) {
    if (index < 0 || static_cast<size_t>(index) >= m_items.size() || item.size() > kMaxItemLength) {
        return false;
    }
    m_items[index].assign(item.begin(), item.end());
    return true;
}

void CServerComm::ClearParams() {
    m_items.clear();
    ClearReply();
}

void CServerComm::ClearReply() {
    m_reply.Clear();
}

void CServerComm::Transact() {
    Exchange(m_items, m_reply);
}

void CServerComm::TransactOld() {
    ExchangeOld(m_items, m_reply);
}

void CServerComm::DumpReply() const {
    WriteLog(platform::Format(L"R_Count:%d", ReplyCount()));
    for (size_t i = 0; i < m_reply.Count(); ++i) {
        auto record = m_reply.Record(i);
        WriteLog(platform::Format(L"R(%d):%s", static_cast<int>(i),
                                  BytesToHex(record.data(), record.size(), 0)));
    }
}

void CServerComm::LanguageCode(int languageIndex, std::span<uint8_t, 2> out) {
    const char* code = languageIndex == 0   ? "ch"
                       : languageIndex == 3 ? "it"
                       : languageIndex == 9 ? "tr"
                                            : "en";
    out[0] = static_cast<uint8_t>(code[0]);
    out[1] = static_cast<uint8_t>(code[1]);
}

int CServerComm::Exchange(std::span<const std::vector<uint8_t>> items, ServerReplyBlock& reply) {
    return ExchangeAs(items, reply, Flavour::kCurrent);
}

int CServerComm::ExchangeOld(std::span<const std::vector<uint8_t>> items, ServerReplyBlock& reply) {
    return ExchangeAs(items, reply, Flavour::kOld);
}

int CServerComm::SendFrame(std::span<const uint8_t> block, std::span<uint8_t> receive,
                           size_t& received) {
    return Connect(block, receive, received, Flavour::kCurrent);
}

int CServerComm::SendFrameOld(std::span<const uint8_t> block, std::span<uint8_t> receive,
                              size_t& received) {
    return Connect(block, receive, received, Flavour::kOld);
}

int CServerComm::ExchangeAs(std::span<const std::vector<uint8_t>> items, ServerReplyBlock& reply,
                            Flavour flavour) {
    ServerRequestBlock block;
    if (int built = block.Build(items); built != 0) {
        return built;
    }
    if (!m_received) {
        // Pages of the buffer are only touched as bytes arrive.
        m_received = std::make_unique_for_overwrite<uint8_t[]>(kReplyCapacity);
    }
    std::span<uint8_t> whole(m_received.get(), kReplyCapacity);
    size_t total = 0;
    int result = kExchangeIncomplete;
    for (int attempt = 1; attempt <= kMaxAttempts && !m_stop.stop_requested(); ++attempt) {
        if (attempt > 1) {
            WriteLog(L"re " + IntToString(attempt - 1));
        }
        block.SetResumeOffset(static_cast<uint32_t>(total));
        ReplyKey key = platform::NewGuid();
        if (attempt > 1) {
            WriteLog(L"xor data : " + BytesToHex(key.data(), key.size(), 0));
        }
        block.SetKey(key);
        size_t received = 0;
        auto free = whole.subspan(total);
        result = Connect(block.bytes(), free, received, flavour);
        // Each attempt's bytes are scrambled from key byte 0, whatever the resume offset.
        XorWithKey(free.first(received), key);
        total += received;
        if (result != kExchangeIncomplete) {
            break;
        }
    }
    if (result != 0) {
        return result;
    }
    return ParseServerReply(whole.first(total), reply);
}

int CServerComm::Connect(std::span<const uint8_t> block, std::span<uint8_t> receive,
                         size_t& received, Flavour flavour) {
    received = 0;
    int error = 0;
    auto socket = platform::TcpSocket::Create(&error);
    if (!socket) {
        WriteLog(platform::Format(L"Socket failed with error: %ld", static_cast<long>(error)));
        return kSocketLayerFailed;
    }
    socket->SetStopToken(m_stop);
    auto address = platform::ParseIPv4(m_endpoint.address);
    if (!address) {
        error = EINVAL;
    }
    if (!address ||
        !socket->Connect(*address, m_endpoint.port, m_endpoint.connectTimeout, &error)) {
        WriteLog(platform::Format(L"Socket connect failed with error: %d", error));
        return kExchangeIncomplete;
    }
    if (!socket->SendAll(block, &error)) {
        WriteLog(platform::Format(L"Socket send failed with error: %ld", static_cast<long>(error)));
        return kExchangeIncomplete;
    }
    if (!socket->ShutdownSend(&error)) {
        WriteLog(
            platform::Format(L"Socket shutdown failed with error: %ld", static_cast<long>(error)));
        return kExchangeIncomplete;
    }
    socket->SetReceiveTimeout(m_endpoint.receiveTimeout);
    bool trace = flavour == Flavour::kOld;
    if (trace) {
        WriteLog(L"Recv start");
    }
    int result = 0;
    for (;;) {
        auto room = receive.subspan(received);
        // A full buffer still reads one byte, to tell the server's close from an overflow.
        uint8_t spare = 0;
        ssize_t n = socket->Receive(room.empty() ? std::span<uint8_t>(&spare, 1) : room, &error);
        if (trace) {
            WriteLog(platform::Format(L"Bytes received: %d", static_cast<int>(n)));
        }
        if (n == 0) {
            WriteLog(L"Connection closed");
            break;
        }
        if (n < 0) {
            WriteLog(
                platform::Format(L"Recv failed (%d) with error: %d", static_cast<int>(n), error));
            result = kExchangeIncomplete;
            break;
        }
        if (room.empty()) {
            result = kReplyMalformed;
            break;
        }
        received += static_cast<size_t>(n);
    }
    if (trace) {
        WriteLog(platform::Format(L"Total length: %d", static_cast<int>(received)));
    }
    socket->ShutdownBoth();
    return result;
}
