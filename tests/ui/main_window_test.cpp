#include "sound/sound.h"
#include "ui/harness.h"

namespace {

TEST_F(Ui, PanelsSwitchAndTheMinutesStayLockedWhileCounting)
{
    const int scheduledInputs[] = {1007, 1008, 1009, 1010, 1017, 1018, 1019, 1020};
    const int scheduledOthers[] = {1037, 1038, 1029};
    const int intervalInputs[] = {1016, 1015, 1033, 1034, 1030, 1031};
    const int intervalOthers[] = {1040, 1039, 1042, 1044, 1041, 1045, 1046, 1035, 1036};
    auto expect = [&](bool scheduled, bool minutesEnabled, int line) {
        SCOPED_TRACE(line);
        for (int id : scheduledInputs)
            EXPECT_TRUE(scheduled == Shown(id) && scheduled == Enabled(id)) << id;
        for (int id : scheduledOthers)
            EXPECT_EQ(scheduled, Shown(id)) << id;
        for (int id : intervalInputs)
            EXPECT_TRUE(scheduled != Shown(id) && scheduled != Enabled(id)) << id;
        for (int id : intervalOthers)
            EXPECT_EQ(!scheduled, Shown(id)) << id;
        EXPECT_EQ(minutesEnabled, Enabled(1036));
        EXPECT_TRUE(Shown(1004) && Shown(1005) && Enabled(1004) && Enabled(1005));
    };
    EXPECT_EQ(BST_CHECKED, SendDlgItemMessageA(w, 1004, BM_GETCHECK, 0, 0));
    EXPECT_EQ("0天0时0分0秒|0分0秒|设置提示音文件路径,点击右边选择文件", Text(1029) + "|" + Text(1035) + "|" + Text(1033));
    expect(true, false, __LINE__);
    Command(1005);
    expect(false, true, __LINE__);
    SetDlgItemTextA(w, 1036, "5");
    Command(1030);
    expect(false, false, __LINE__);
    Command(1004);
    expect(true, false, __LINE__);
    Command(1005);
    expect(false, false, __LINE__);
    Command(1031);
    Command(IDOK);
    Command(IDCANCEL);
    expect(false, true, __LINE__);
    // Only a left press on our own icon shows the window.
    ShowWindow(w, SW_HIDE);
    for (LPARAM mouse : {WM_LBUTTONUP, WM_RBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSEMOVE})
        SendMessageA(w, WM_USER + 5, 0, mouse);
    SendMessageA(w, WM_USER + 5, 1, WM_LBUTTONDOWN);
    EXPECT_FALSE(IsWindowVisible(w));
    SendMessageA(w, WM_USER + 5, 0, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_TRUE(boxes.empty());
}

std::string pickedFile;

TEST_F(Ui, BrowseTakesAChosenFileAndSoundCommandsQuoteTheShortPath)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    pickedFile = std::string(folder) + "alarm clock.mp3";
    CloseHandle(CreateFileA(pickedFile.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    answer = [](HWND chooser) {
        SetDlgItemTextA(chooser, 0x47C, pickedFile.c_str());  // the file name box
        Press(chooser, IDOK);
    };
    Command(1034);
    EXPECT_EQ(pickedFile, Text(1033));
    SetDlgItemTextA(w, 1033, "typed");
    answer = [](HWND chooser) { Press(chooser, IDCANCEL); };
    Command(1034);
    EXPECT_EQ("typed", Text(1033));

    char command[kSoundCommandSize];
    EXPECT_TRUE(FormatSoundCommand("play", "C:\\A B\\TONE.MP3", command));
    EXPECT_STREQ("play \"C:\\A B\\TONE.MP3\"", command);
    EXPECT_FALSE(FormatSoundCommand("close", "", command));
    EXPECT_STREQ("", command);
}

}  // namespace
