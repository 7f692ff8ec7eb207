// The adventure run the result screen shows: whole runs list every level, others only their total.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logic/AdventureRun.h"

namespace {

TEST(AdventureRun, AWholeRunListsEveryLevelAndAPartRunOnlyItsTotal) {
    const struct {
        std::vector<std::pair<std::string, float>> levels;
        std::vector<std::string> summary;
    } cases[] = {
        {{}, {}},
        {{{"Level1", 10.25f}, {"Level2", 4.5f}},
         {"Total time: 14.750 s", "Level 1: 10.250 s", "Level 2: 4.500 s"}},
        {{{"Level5", 9.5f}, {"Level6", 8.0f}}, {"Time from Level 5: 17.500 s"}},
    };
    for (const auto& c : cases) {
        Logic::AdventureRun run;
        for (const auto& [level, seconds] : c.levels) {
            run.AddLevel(level, seconds);
        }
        EXPECT_EQ(run.Summary(), c.summary);
        run.Start();
        EXPECT_TRUE(run.IsEmpty()) << "a new run forgets the old one";
    }
}

TEST(AdventureRun, LevelNamesShowAsWords) {
    EXPECT_EQ(Logic::AdventureRun::DisplayName("Level1"), "Level 1");
    EXPECT_EQ(Logic::AdventureRun::DisplayName("Level12"), "Level 12");
    EXPECT_EQ(Logic::AdventureRun::DisplayName("TimeAttack"), "Time Attack");
    EXPECT_EQ(Logic::AdventureRun::DisplayName("multiplayer"), "multiplayer");
    EXPECT_EQ(Logic::AdventureRun::DisplayName(""), "");
    EXPECT_EQ(Logic::AdventureRun::DisplayName("my:CastleKeep"), "Castle Keep") << "a player's level by its own name";
}

}  // namespace
