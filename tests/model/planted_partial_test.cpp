// What someone else put at the name where a save writes its new file (a link to his victim's
// file, a second name of it, a FIFO) is never written through, in the key files and the journal.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "model/key_start_fixture.h"

namespace {

using test::Finished;
using test::MakeRecord;
using test::Names;
using test::NamesOf;
using test::Unfinished;

class PlantedPartialFile : public test::KeyStart {};

TEST_F(PlantedPartialFile, IsRemovedAndNeverWrittenThrough) {
    enum Plant { kSymbolicLink, kHardLink, kFifo };
    const char* const partials[] = {"KeyData_Bak.u.part", "KeyDataEdit_Bak.u.part",
                                    "KeyFinish_Bak.journal.part"};
    const KeyDataRecord draft = Unfinished(-104, "E_U");
    for (Plant plant : {kSymbolicLink, kHardLink, kFifo}) {
        SCOPED_TRACE(plant);
        Write({MakeRecord(-101, "P")}, {Unfinished(-103, "D_U"), draft});
        LoadKeyLists();
        for (const char* partial : partials) {
            const auto victim = program_ / (std::string("victim of ") + partial);
            std::ofstream(victim) << "private";
            ASSERT_EQ(::chmod(victim.c_str(), 0600), 0);
            if (plant == kSymbolicLink) {
                std::filesystem::create_symlink(victim, File(partial));
            } else if (plant == kHardLink) {
                std::filesystem::create_hard_link(victim, File(partial));
            } else {
                ASSERT_EQ(::mkfifo(File(partial).c_str(), 0666), 0);
            }
        }
        EXPECT_TRUE(FinishKeyEdit(Finished(draft)));
        EXPECT_EQ(NamesOf(ReadRecords("KeyData.u")), (Names{"P", "E_U"}));
        EXPECT_EQ(NamesOf(ReadRecords("KeyDataEdit.u")), Names{"D_U"});
        for (const char* partial : partials) {
            SCOPED_TRACE(partial);
            const auto victim = program_ / (std::string("victim of ") + partial);
            EXPECT_EQ(test::ReadText(victim), "private");
            EXPECT_EQ(std::filesystem::status(victim).permissions(),
                      std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
            EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(File(partial))));
            std::filesystem::remove(victim);
        }
    }
}

}  // namespace
