// The executors that are served: "Execute Program" and "Send Message".
#include <gtest/gtest.h>

#include "actions/message.h"
#include "actions/program.h"
#include "tests/support/process.h"
#include "tests/support/standin.h"

namespace {

std::string WaitForLog(const std::string& path)
{
    std::string log;
    for (int i = 0; i < 300; ++i) {
        if (ReadWholeFile(path, &log) && !log.empty() && log.back() == '\n')
            break;
        Sleep(10);
    }
    return log;
}

}  // namespace

TEST(RunProgram, CommandLineIsQuotedPathSpaceParameters)
{
    std::string dir = MakeTempDir("run");
    std::string exe = dir + "tool.exe";
    ASSERT_TRUE(CopyFileA((TestBinDir() + "ran.exe").c_str(), exe.c_str(), FALSE));
    RunProgram(exe.c_str(), "/a b");
    EXPECT_EQ("tool.exe|\"" + exe + "\" /a b\n", WaitForLog(dir + "ran.log"));
    DeleteFileA((dir + "ran.log").c_str());
    // No parameters: the space is still there.
    RunProgram(exe.c_str(), "");
    EXPECT_EQ("tool.exe|\"" + exe + "\" \n", WaitForLog(dir + "ran.log"));
    RemoveTree(dir);
}

TEST(PostToWindow, PostsToTheWindowOfClassAndTitle)
{
    StandIn* a = CreateStandIn("QuellonPostTarget", "First");
    StandIn* b = CreateStandIn("QuellonPostTarget", "Second");
    PostToWindow("QuellonPostTarget", "Second", WM_APP + 1, 11, 0xFFFFFFFF);
    ASSERT_TRUE(WaitForStandInMessages(b, WM_APP + 1, 1, 5000));
    RecordedMessage m;
    GetStandInMessage(b, WM_APP + 1, 0, &m);
    EXPECT_EQ(11u, (unsigned)m.wParam);
    EXPECT_EQ(-1, (int)m.lParam);
    EXPECT_EQ(0, CountStandInMessages(a, WM_APP + 1));
    // No title: the first window of the class, whatever its title.
    PostToWindow("QuellonPostTarget", NULL, WM_APP + 2, 0, 0);
    PumpMessagesFor(100);
    EXPECT_EQ(1, CountStandInMessages(a, WM_APP + 2) + CountStandInMessages(b, WM_APP + 2));
    // No such window: nothing anywhere.
    PostToWindow("QuellonPostTarget", "Third", WM_APP + 3, 0, 0);
    PostToWindow("", NULL, WM_APP + 3, 0, 0);
    PumpMessagesFor(100);
    EXPECT_EQ(0, CountStandInMessages(a, WM_APP + 3) + CountStandInMessages(b, WM_APP + 3));
    DestroyStandIn(a);
    DestroyStandIn(b);
}
