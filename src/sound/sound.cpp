#include "sound/sound.h"

#include <commdlg.h>
#include <mmsystem.h>
#include <string.h>

#include "schedule/format_text.h"
#include "text/gbk_text.h"

const char SOUND_HINT[] = "设置提示音文件路径,点击右边选择文件";

// Passed with every command and a length of 0: nothing is ever written here.
static wchar_t mciReturn[4];

// "open \"<259-byte short path>\" alias zelbrin4294967295" and the NUL.
static const int kSoundCommandSize = 320;

// The multimedia and common-dialog libraries are loaded when first used:
// loading them at start-up slows every start, and most runs of the program
// never pick a file, and ring only much later.
typedef MCIERROR(WINAPI *MciSendStringFunction)(LPCWSTR, LPWSTR, UINT, HWND);
typedef BOOL(WINAPI *GetOpenFileNameFunction)(LPOPENFILENAMEW);

static MciSendStringFunction sendMci;
static unsigned alarmSoundCount;

// Only from the system folder: a library of the same name beside the
// program must never be loaded in its place.
typedef void (*AnyFunction)();

static AnyFunction SystemFunction(const char *library, const char *name)
{
    char path[MAX_PATH];
    UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + lstrlenA(library) >= MAX_PATH)
        return NULL;
    lstrcatA(path, "\\");
    lstrcatA(path, library);
    HMODULE module = LoadLibraryA(path);
    // Through the generic function type, which converts to any other.
    return module ? reinterpret_cast<AnyFunction>(GetProcAddress(module, name)) : NULL;
}

// In UTF-16: a path MCI reads through the system's ANSI code page names no
// file where that code page is not 936.
static void SendMci(const wchar_t *command)
{
    if (!sendMci)
        sendMci = reinterpret_cast<MciSendStringFunction>(SystemFunction("winmm.dll", "mciSendStringW"));
    if (sendMci)
        sendMci(command, mciReturn, 0, NULL);
}

static BOOL ShowOpenFileDialog(OPENFILENAMEW *request)
{
    static const GetOpenFileNameFunction show =
        reinterpret_cast<GetOpenFileNameFunction>(SystemFunction("comdlg32.dll", "GetOpenFileNameW"));
    return show ? show(request) : FALSE;
}

static void SendAliasCommand(const char *verb, const AlarmSound *sound)
{
    char command[kSoundCommandSize];
    FormatText(command, sizeof command, "%s %s", verb, sound->alias);
    wchar_t wideCommand[kSoundCommandSize];
    GbkToWide(command, wideCommand, kSoundCommandSize);
    SendMci(wideCommand);
}

// Explorer's "copy as path" puts the path in double quotes; pasted so, it
// must still play. A quote is never the second byte of a GBK character.
static void DropQuotes(const char *path, char unquoted[kSoundPathSize])
{
    CopyText(unquoted, kSoundPathSize, path[0] == '"' ? path + 1 : path);
    int length = lstrlenA(unquoted);
    if (length > 0 && unquoted[length - 1] == '"')
        unquoted[length - 1] = '\0';
}

void PlayAlarmSound(const char *path, AlarmSound *sound)
{
    memset(sound, 0, sizeof *sound);
    char unquoted[kSoundPathSize];
    DropQuotes(path, unquoted);
    wchar_t widePath[kSoundPathSize];
    GbkToWide(unquoted, widePath, kSoundPathSize);
    wchar_t shortPath[kShortPathSize] = L"";
    DWORD length = GetShortPathNameW(widePath, shortPath, kShortPathSize);
    if (length == 0 || length >= static_cast<DWORD>(kShortPathSize))
        return;  // no such file, or a form too long to hold
    // A play that names the file itself reuses the device already open for
    // that file; an alias of the alarm's own gives it one of its own.
    FormatText(sound->alias, sizeof sound->alias, "zelbrin%u", ++alarmSoundCount);
    wchar_t alias[kSoundAliasSize];
    GbkToWide(sound->alias, alias, kSoundAliasSize);
    // Quoted: on volumes without 8.3 names the "short" form keeps its blanks.
    wchar_t command[kSoundCommandSize];
    wsprintfW(command, L"open \"%s\" alias %s", shortPath, alias);
    SendMci(command);
    SendAliasCommand("play", sound);
}

void StopAlarmSound(const AlarmSound *sound)
{
    if (sound->alias[0] != '\0')
        SendAliasCommand("close", sound);
}

void StopAllAlarmSounds()
{
    if (sendMci)
        SendMci(L"close all");
}

// The name as code page 936 spells it or, where it cannot, the file's short
// form, which is plain ASCII. A look-alike never stands in for a character:
// it would name no file, or another one. False when neither names the file:
// the volume keeps no short names.
static bool NarrowPath(const wchar_t *wide, char path[kSoundPathSize])
{
    if (WideToGbk(wide, path, kSoundPathSize))
        return true;
    wchar_t shortForm[kSoundPathSize] = L"";
    DWORD length = GetShortPathNameW(wide, shortForm, kSoundPathSize);
    if (length == 0 || length >= static_cast<DWORD>(kSoundPathSize))
        return false;
    return WideToGbk(shortForm, path, kSoundPathSize);
}

// The wide dialog: the narrow one hands back '?' in place of characters that
// code page 936 lacks, a path that names no file. It never changes the
// current folder, which would hold the mp3's folder for as long as the
// program runs.
int ChooseSoundFile(HWND owner, char path[kSoundPathSize])
{
    static const wchar_t kMp3Filter[] = L"mp3\0*.mp3\0";
    wchar_t file[kSoundPathSize] = L"";
    OPENFILENAMEW request;
    memset(&request, 0, sizeof request);
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    request.hwndOwner = owner;
    request.lpstrFilter = kMp3Filter;
    request.nFilterIndex = 1;
    request.lpstrFile = file;
    request.nMaxFile = kSoundPathSize;
    request.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!ShowOpenFileDialog(&request))
        return 0;
    char narrow[kSoundPathSize] = "";
    if (!NarrowPath(file, narrow)) {
        GbkMessageBox(owner, "该文件的名称含有本程序无法使用的字符，请将文件改名后再选择", "选择失败",
                      MB_ICONERROR);
        return 0;
    }
    lstrcpyA(path, narrow);
    return 1;
}
