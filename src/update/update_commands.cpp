#include "update/online_update.h"

namespace {

using std::chrono::milliseconds;

}  // namespace

void UpdateOnline(const UpdateJob& job) {
    UpdateSession session(job);
    session.Status(session.Message(kTextPrepare));
    session.Wait(milliseconds(1000));
    if (WriteFirmware(session, 0, 20, true, false)) {
        session.Wait(milliseconds(1000));
        WriteSdData(session, 20, 100, false, true);
    }
}

void UpdateProgramOnly(const UpdateJob& job) {
    UpdateSession session(job);
    session.Status(session.Message(kTextPrepare));
    session.Wait(milliseconds(1000));
    if (WriteFirmware(session, 0, 100, true, true)) {
        session.Progress(0);
        session.Status(session.ElapsedMessage(kTextUpdated));
    }
}

void RepairData(const UpdateJob& job) {
    UpdateSession session(job);
    session.Status(session.Message(kTextPrepare));
    if (WriteSdData(session, 0, 100, true, true)) {
        session.Progress(0);
        session.Status(session.ElapsedMessage(kTextRepairedIn));
        session.SuccessBeeps();
    } else {
        session.RunDown(session.ElapsedMessage(kTextRepairFailedIn));
    }
}
