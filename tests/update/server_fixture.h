#pragma once
// A loopback update server that every client of the test reaches, and the log beside the
// test's own program folder.

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "support/loopback_server.h"
#include "support/temp_folder.h"
#include "update/server_comm.h"

namespace test {

class ServerFixture : public ::testing::Test {
  protected:
    explicit ServerFixture(std::chrono::milliseconds receiveTimeout = std::chrono::seconds(5))
        : endpoint_(server_.Endpoint(receiveTimeout)) {}

    bool LogHas(const std::string& line) const {
        return ReadText(folder_ / "log.bin").find("]" + line + "\r\n") != std::string::npos;
    }

    // A client with the update tool's head and language items already added.
    static void AddHead(CServerComm& comm, uint8_t operation) {
        ServerRequestHead head{4, 1, operation};
        comm.AddParam(head.Bytes());
        uint8_t language[2];
        CServerComm::LanguageCode(1, language);
        comm.AddParam(language);
    }

    TempFolder folder_;
    ScopedProgramFolder programFolder_{folder_};
    LoopbackUpdateServer server_;
    ScopedServerEndpoint endpoint_;
};

}  // namespace test
