#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "res/resource.h"
#include "sound/sound.h"
#include "support/main_window.h"
#include "support/modal_answerer.h"

namespace {

TEST(SoundCommands, QuoteTheShortPathAndFitTheLongestOne)
{
    char command[kSoundCommandSize];
    EXPECT_TRUE(FormatSoundCommand("play", "C:\\MUSIC\\ALARM.MP3", command));
    EXPECT_STREQ("play \"C:\\MUSIC\\ALARM.MP3\"", command);
    EXPECT_TRUE(FormatSoundCommand("close", "D:\\My Music\\alarm.mp3", command));
    EXPECT_STREQ("close \"D:\\My Music\\alarm.mp3\"", command);

    // No short form, no command at all.
    EXPECT_FALSE(FormatSoundCommand("close", "", command));
    EXPECT_STREQ("", command);

    std::string longest = "C:\\" + std::string(kShortPathSize - 1 - 3, 'A');
    ASSERT_EQ(259u, longest.size());
    EXPECT_TRUE(FormatSoundCommand("close", longest.c_str(), command));
    EXPECT_EQ("close \"" + longest + "\"", std::string(command));
}

class TempFolder {
public:
    TempFolder()
    {
        char base[MAX_PATH];
        GetTempPathA(sizeof base, base);
        path_ = std::string(base) + "zelbrin test " + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(path_.c_str(), NULL);
    }
    ~TempFolder()
    {
        for (const std::string &file : files_)
            DeleteFileA(file.c_str());
        RemoveDirectoryA(path_.c_str());
    }
    std::string MakeFile(const std::string &name)
    {
        std::string file = path_ + "\\" + name;
        HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        CloseHandle(handle);
        files_.push_back(file);
        return file;
    }

private:
    std::string path_;
    std::vector<std::string> files_;
};

TEST(PlayAlarmSound, LeavesTheShortFormOfAnExistingFileOnly)
{
    TempFolder folder;
    std::string withBlanks = folder.MakeFile("my alarm sound.mp3");
    char shortPath[kShortPathSize];
    memset(shortPath, 'x', sizeof shortPath);

    // Not a real mp3: the play fails silently, and that is all it may do.
    PlayAlarmSound(withBlanks.c_str(), shortPath);
    EXPECT_NE('\0', shortPath[0]);
    EXPECT_EQ(std::string::npos, std::string(shortPath).find(' ')) << shortPath;
    StopAlarmSound(shortPath);

    const char *nothingThere[] = {SOUND_HINT, "", "C:\\no such folder\\alarm.mp3"};
    for (const char *path : nothingThere) {
        memset(shortPath, 'x', sizeof shortPath);
        PlayAlarmSound(path, shortPath);
        EXPECT_EQ(std::string(kShortPathSize, '\0'), std::string(shortPath, kShortPathSize)) << path;
        StopAlarmSound(shortPath);
    }
}

TEST(OpenFileRequest, AsksForOneMp3FilterAndExistingFilesOnly)
{
    char file[kSoundPathSize] = "";
    OPENFILENAMEA request;
    memset(&request, 0x5A, sizeof request);
    HWND owner = reinterpret_cast<HWND>(0x1234);
    FillOpenFileRequest(&request, owner, file);

    EXPECT_EQ(76u, request.lStructSize);
    EXPECT_EQ(owner, request.hwndOwner);
    EXPECT_EQ(0, memcmp("mp3\0*.mp3\0\0", request.lpstrFilter, 12));
    EXPECT_EQ(1u, request.nFilterIndex);
    EXPECT_EQ(file, request.lpstrFile);
    EXPECT_EQ(260u, request.nMaxFile);
    EXPECT_EQ(0x81800u, request.Flags);
    EXPECT_EQ(static_cast<DWORD>(OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST), request.Flags);

    // Every other field stays zero: no title, no initial folder, no hook.
    OPENFILENAMEA rest = request;
    rest.lStructSize = 0;
    rest.hwndOwner = NULL;
    rest.lpstrFilter = NULL;
    rest.nFilterIndex = 0;
    rest.lpstrFile = NULL;
    rest.nMaxFile = 0;
    rest.Flags = 0;
    OPENFILENAMEA zero = {};
    EXPECT_EQ(0, memcmp(&zero, &rest, sizeof zero));
}

// The system's open-file dialog, answered from the hook.
std::string fileToPick;

void PickFile(HWND dialog)
{
    // cmb13: the file name box of the Explorer-style dialog.
    SetDlgItemTextA(dialog, 0x47C, fileToPick.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

void CancelDialog(HWND dialog)
{
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

class BrowseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartAnsweringModals();
        window = CreateMainWindow();
        SendCommand(window, IDC_MAIN_INTERVAL_RADIO);
    }
    void TearDown() override
    {
        DestroyMainWindow(window);
        StopAnsweringModals();
    }
    HWND window = NULL;
};

TEST_F(BrowseTest, CancelKeepsTheFieldAndAChosenFileReplacesIt)
{
    StartAnsweringModals(CancelDialog);
    SendCommand(window, IDC_MAIN_BROWSE_SOUND);
    ASSERT_EQ(1u, ModalsSeen().size());
    EXPECT_EQ(SOUND_HINT, ControlText(window, IDC_MAIN_SOUND_PATH));

    TempFolder folder;
    fileToPick = folder.MakeFile("alarm clock.mp3");
    StartAnsweringModals(PickFile);
    SendCommand(window, IDC_MAIN_BROWSE_SOUND);
    ASSERT_EQ(1u, ModalsSeen().size());
    EXPECT_EQ(fileToPick, ControlText(window, IDC_MAIN_SOUND_PATH));

    SetDlgItemTextA(window, IDC_MAIN_SOUND_PATH, "typed by hand");
    StartAnsweringModals(CancelDialog);
    SendCommand(window, IDC_MAIN_BROWSE_SOUND);
    EXPECT_EQ("typed by hand", ControlText(window, IDC_MAIN_SOUND_PATH));
}

}  // namespace
