#include <vector>

#include "update/update_session.h"

namespace {

// Records 1 onward of the reply to a request for operation; none when the reply has fewer
// than two records.
std::vector<std::wstring> QueryTexts(const UpdateSession& session, uint8_t operation) {
    CServerComm server(0, session.job().stop);
    AddItems(
        session.machine(), server,
        {RequestHead(session.machine(), operation), LanguageItem(session.job().languageIndex)});
    Transact(session.machine(), server);
    std::vector<std::wstring> texts;
    for (int i = 1; i < server.ReplyCount(); ++i) {
        texts.push_back(RecordText(server.ReplyRecord(i)));
    }
    return texts;
}

}  // namespace

void RefreshVersions(const UpdateJob& job) {
    UpdateSession session(job);
    session.Status(session.Message(kTextGettingVersions));
    std::vector<std::wstring> notes = QueryTexts(session, kOperationVersionNotes);
    if (!notes.empty()) {
        std::wstring joined;
        for (const auto& note : notes) {
            joined += note;
        }
        session.report().SetVersionNotes(joined);
        session.report().SetVersionList(QueryTexts(session, kOperationVersionList));
    }
    session.Status(L"");
}
