// `orbellan set`, `info` and set's help take the settings' names from the one table.
#include <gtest/gtest.h>

#include "cli_run.h"
#include "test_files.h"

namespace orb {
namespace {

namespace fs = std::filesystem;
using test::CliRun;
using test::Orbellan;

TEST(CliSettings, SetTakesEveryNameAndInfoShowsIt) {
    fs::path dir = test::ScratchFolder();
    ASSERT_EQ(Orbellan("new p.apj", dir).status, 0);
    // Every setting a value of its own; names in any case.
    CliRun set = Orbellan("set p.apj number=7 size=80 direction=90 actorBias=-20 spriteLifetime=30 sceneLifetime=40 "
                          "NUMBERRANGE=10 sizeRange=20 directionRange=180 speed=60 speedVariation=-30 swirl=45 "
                          "spin=-50 stutter=5 factorX=70 mode=splat background=desktop shuffle=1 colour=#102030 "
                          "turbo=1 quickRotation=0 alignToPath=1 eraser=1 loopMusic=1",
                          dir);
    ASSERT_EQ(set.status, 0) << set.out;
    // SPLAT is mode 6, Desktop background 1; #102030 is stored 0x00302010 = 3153936.
    CliRun json = Orbellan("info p.apj --json", dir);
    EXPECT_NE(json.out.find("\"settings\": {\"number\": 7, \"size\": 80, \"direction\": 90, \"actorBias\": -20, "
                            "\"spriteLifetime\": 30, \"sceneLifetime\": 40, \"numberRange\": 10, \"sizeRange\": 20, "
                            "\"directionRange\": 180, \"speed\": 60, \"speedVariation\": -30, \"swirl\": 45, "
                            "\"spin\": -50, \"stutter\": 5, \"factorX\": 70, \"mode\": 6, \"background\": 1, "
                            "\"shuffle\": 1, \"colour\": 3153936, \"turbo\": 1, \"quickRotation\": 0, "
                            "\"alignToPath\": 1},\n  \"modeName\": \"SPLAT\",\n  \"eraser\": 1,\n  \"loopMusic\": 1,"),
              std::string::npos)
        << json.out;
    CliRun text = Orbellan("info p.apj", dir);
    EXPECT_NE(text.out.find("mode: SPLAT\nbackground: desktop #102030\nsettings: number=7 size=80 direction=90 "
                            "actorBias=-20 spriteLifetime=30 sceneLifetime=40 numberRange=10 sizeRange=20 "
                            "directionRange=180 speed=60 speedVariation=-30 swirl=45 spin=-50 stutter=5 factorX=70 "
                            "shuffle=1 turbo=1 quickRotation=0 alignToPath=1\neraser: 1\nmusic:  (looped)\n"),
              std::string::npos)
        << text.out;
}

// The names stored fields go by in the code are not the command line's.
TEST(CliSettings, OnlyTheOneNameIsTaken) {
    fs::path dir = test::ScratchFolder();
    ASSERT_EQ(Orbellan("new p.apj", dir).status, 0);
    for (const char* pair : {"motionMode=1", "backgroundKind=1", "backgroundColour=0", "color=#000000"}) {
        CliRun run = Orbellan(std::string("set p.apj ") + pair, dir);
        EXPECT_NE(run.status, 0) << pair;
        EXPECT_NE(run.out.find("Unknown setting"), std::string::npos) << run.out;
    }
}

TEST(CliSettings, SetHelpListsEveryNameWithinTheLineWidth) {
    CliRun help = Orbellan("set --help", test::ScratchFolder());
    ASSERT_EQ(help.status, 0);
    EXPECT_EQ(help.out,
              "usage: orbellan set P.apj KEY=VALUE...\n\n"
              "Sets settings: number size direction actorBias spriteLifetime sceneLifetime numberRange sizeRange\n"
              "directionRange speed speedVariation swirl spin stutter factorX mode background shuffle colour turbo\n"
              "quickRotation alignToPath eraser loopMusic. Lifetimes are stored values (100 minus the slider).\n"
              "mode takes a name (BOUNCE ... RANDOM); colour takes #RRGGBB. Values out of range are refused.\n");
}

}  // namespace
}  // namespace orb
