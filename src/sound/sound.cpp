#include "sound/sound.h"

#include <mmsystem.h>
#include <string.h>

#include "schedule/format_text.h"

const char SOUND_HINT[] = "设置提示音文件路径,点击右边选择文件";

// Passed with every command and a length of 0: nothing is ever written here.
static char mciReturn[4];

// The multimedia and common-dialog libraries are loaded when first used:
// loading them at start-up slows every start, and most runs of the program
// never pick a file, and ring only much later.
typedef MCIERROR(WINAPI *MciSendStringFunction)(LPCSTR, LPSTR, UINT, HWND);
typedef BOOL(WINAPI *GetOpenFileNameFunction)(LPOPENFILENAMEA);

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

static MCIERROR SendMci(const char *command)
{
    static const MciSendStringFunction send =
        reinterpret_cast<MciSendStringFunction>(SystemFunction("winmm.dll", "mciSendStringA"));
    return send ? send(command, mciReturn, 0, NULL) : MCIERR_INTERNAL;
}

static BOOL ShowOpenFileDialog(OPENFILENAMEA *request)
{
    static const GetOpenFileNameFunction show =
        reinterpret_cast<GetOpenFileNameFunction>(SystemFunction("comdlg32.dll", "GetOpenFileNameA"));
    return show ? show(request) : FALSE;
}

static const char kMp3Filter[] = "mp3\0*.mp3\0";

bool FormatSoundCommand(const char *verb, const char *shortPath, char command[kSoundCommandSize])
{
    command[0] = '\0';
    if (shortPath[0] == '\0')
        return false;
    // Quoted: on volumes without 8.3 names the "short" form keeps its blanks.
    FormatText(command, kSoundCommandSize, "%s \"%s\"", verb, shortPath);
    return true;
}

static void SendSoundCommand(const char *verb, const char *shortPath)
{
    char command[kSoundCommandSize];
    if (FormatSoundCommand(verb, shortPath, command))
        SendMci(command);
}

void PlayAlarmSound(const char *path, char shortPath[kShortPathSize])
{
    memset(shortPath, 0, kShortPathSize);
    DWORD length = GetShortPathNameA(path, shortPath, kShortPathSize);
    if (length == 0 || length >= static_cast<DWORD>(kShortPathSize))
        shortPath[0] = '\0';  // no such file, or a form too long to hold
    SendSoundCommand("play", shortPath);
}

void StopAlarmSound(const char *shortPath)
{
    SendSoundCommand("close", shortPath);
}

void FillOpenFileRequest(OPENFILENAMEA *request, HWND owner, char file[kSoundPathSize])
{
    memset(request, 0, sizeof *request);
    request->lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    request->hwndOwner = owner;
    request->lpstrFilter = kMp3Filter;
    request->nFilterIndex = 1;
    request->lpstrFile = file;
    request->nMaxFile = kSoundPathSize;
    request->Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
}

int ChooseSoundFile(HWND owner, char path[kSoundPathSize])
{
    char file[kSoundPathSize] = "";
    OPENFILENAMEA request;
    FillOpenFileRequest(&request, owner, file);
    if (!ShowOpenFileDialog(&request))
        return 0;
    lstrcpyA(path, file);
    return 1;
}

void BrowseForSound(HWND dialog, int pathEditId)
{
    char path[kSoundPathSize] = "";
    if (ChooseSoundFile(dialog, path) == 1)
        SetDlgItemTextA(dialog, pathEditId, path);
}

int RingAlarm(HWND owner, UINT_PTR timerId, const char *soundPath,
              const char *text, const char *caption, UINT style)
{
    char shortPath[kShortPathSize];
    PlayAlarmSound(soundPath, shortPath);
    KillTimer(owner, timerId);
    int answer = MessageBoxA(owner, text, caption, style);
    StopAlarmSound(shortPath);
    return answer;
}
