#pragma once
// Client of the maker's update server: one request block per TCP connection, a reply
// scrambled with a key drawn for each attempt, and broken-off replies resumed over up to
// 30 attempts.

#include <cstdint>
#include <memory>
#include <span>
#include <stop_token>
#include <string_view>
#include <vector>

#include "update/server_blocks.h"
#include "update/server_endpoint.h"

// The computer-name item: the host name in UTF-16LE, cut to the 15 characters that Windows
// allows, so that it always fits its item.
std::vector<uint8_t> ComputerNameItem(std::string_view hostName);

class CServerComm {
  public:
    // Mode 0, the only one in use, reaches the configured server on port 5001. Once stop is
    // requested, an exchange ends at once, failing, and makes no further attempt.
    explicit CServerComm(int mode, std::stop_token stop = {});

    // Appends an item; after the first one the computer name and the client version follow
    // at once. False, and nothing added, when the item is longer than 100 bytes or the list
    // is full.
    bool AddParam(std::span<const uint8_t> item);
    // Replaces the content of an existing item.
    bool SetParam(int index, std::span<const uint8_t> item);
    void ClearParams();
    void ClearReply();

    // One exchange of the current items. The reply is changed only on success, so callers
    // start from a cleared reply and read a record count of 0 as failure.
    void Transact();
    void DumpReply() const;

    static void LanguageCode(int languageIndex, std::span<uint8_t, 2> out);

    // The same operations for the second update dialog, which introduces itself with an
    // older client version and traces every receive.
    bool AddParamOld(std::span<const uint8_t> item);
    void TransactOld();

    // 0 with reply filled, or the failing result of the transport or 240 for a malformed
    // reply; reply stays as it was on failure.
    int Exchange(std::span<const std::vector<uint8_t>> items, ServerReplyBlock& reply);
    int ExchangeOld(std::span<const std::vector<uint8_t>> items, ServerReplyBlock& reply);
    // One connection: sends block, receives into receive until the server closes. 0, 10752
    // for an exchange broken off (to be resumed), 240 when more arrives than receive holds,
    // -1 when no socket can be had. received counts what arrived either way.
    int SendFrame(std::span<const uint8_t> block, std::span<uint8_t> receive, size_t& received);
    int SendFrameOld(std::span<const uint8_t> block, std::span<uint8_t> receive, size_t& received);

    int ReplyCount() const { return static_cast<int>(m_reply.Count()); }
    std::span<const uint8_t> ReplyRecord(int index) const { return m_reply.Record(index); }
    int ParamCount() const { return static_cast<int>(m_items.size()); }

  private:
    enum class Flavour { kCurrent, kOld };

    bool AddItem(std::span<const uint8_t> item, Flavour flavour);
    int ExchangeAs(std::span<const std::vector<uint8_t>> items, ServerReplyBlock& reply,
                   Flavour flavour);
    int Connect(std::span<const uint8_t> block, std::span<uint8_t> receive, size_t& received,
                Flavour flavour);

    ServerEndpoint m_endpoint;
    std::stop_token m_stop;
    // What the attempts of one exchange receive, allocated at the first exchange and kept for
    // the object's next ones (a download makes one per chunk).
    std::unique_ptr<uint8_t[]> m_received;
    std::vector<std::vector<uint8_t>> m_items;
    ServerReplyBlock m_reply;
};
