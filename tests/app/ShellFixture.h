// The shell on the headless window system: a fresh window per test, helpers that deliver
// input the way the message loop does, and generated content in a temporary directory.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/Shell.h"
#include "app/ShellState.h"
#include "app/resources/ResourceIds.h"
#include "platform/window/headless/HeadlessWindow.h"
#include "tools/zgen/ZentorGen.h"

class cShellTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Handles every waiting message as the loop does (translate, dispatch), without the idle
    // branch. Stops at the quit message and records it.
    void Pump();
    void Key(std::uintptr_t VirtualKey, char Character = 0);
    void Command(int CommandId);
    // Opens a script through File > Open script with the chooser answering Path.
    void Open(const std::string& Path);

    // A generated model with NumSequences sequences over NumFrames frames, written once per
    // test program under a temporary directory.
    static cGenResult Model(const std::string& Name, int NumFrames, int NumSequences);
    static std::string TempRoot();

    cHeadlessWindowSystem mSystem;
    friend struct cShellTestAccess;
    bool mQuit = false;
    std::uintptr_t mExitCode = 0xDEAD;
};

// Generated content for tests that run without the fixture.
struct cShellTestAccess
{
    static std::string ModelPath(const std::string& Name, int NumFrames, int NumSequences)
    {
        return cShellTest::Model(Name, NumFrames, NumSequences).ScriptPath;
    }
    static std::string TempRoot() { return cShellTest::TempRoot(); }
};
