#include "sound/sound.h"

#include <commdlg.h>
#include <string.h>

#include "sound/system_library.h"
#include "text/gbk_text.h"

const char SOUND_HINT[] = "设置提示音文件路径,点击右边选择文件";

typedef BOOL(WINAPI *GetOpenFileNameFunction)(LPOPENFILENAMEW);

static BOOL ShowOpenFileDialog(OPENFILENAMEW *request)
{
    static const GetOpenFileNameFunction show =
        reinterpret_cast<GetOpenFileNameFunction>(SystemFunction("comdlg32.dll", "GetOpenFileNameW"));
    return show ? show(request) : FALSE;
}

static void RefuseFileName(HWND owner)
{
    GbkMessageBox(owner, "该文件的名称含有本程序无法使用的字符，请将文件改名后再选择", "选择失败",
                  MB_ICONERROR);
}

// The name as code page 936 spells it or, where it cannot, the file's short
// form, which is plain ASCII. A look-alike never stands in for a character:
// it would name no file, or another one. False when neither names the file:
// there is no such file, or the volume keeps no short names.
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
// code page 936 lacks, a path that names no file.
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
    request.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    // The dialog leaves the chosen file's folder as the current one, and
    // Windows ignores OFN_NOCHANGEDIR here: that folder would stay in use (a
    // USB stick that cannot be ejected) for as long as the program runs.
    wchar_t folder[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, folder);
    BOOL chosen = ShowOpenFileDialog(&request);
    SetCurrentDirectoryW(folder);
    if (!chosen)
        return 0;
    char narrow[kSoundPathSize] = "";
    if (!NarrowPath(file, narrow)) {
        RefuseFileName(owner);
        return 0;
    }
    lstrcpyA(path, narrow);
    return 1;
}

void BrowseForSound(HWND dialog, int pathEditId)
{
    char path[kSoundPathSize] = "";
    if (ChooseSoundFile(dialog, path) == 1)
        SetDlgItemGbkText(dialog, pathEditId, path);
}

// Explorer's "copy as path" puts the path in double quotes; pasted so, it
// must still name its file.
static void DropQuotes(wchar_t *path)
{
    int length = lstrlenW(path);
    if (length > 0 && path[length - 1] == L'"')
        path[--length] = L'\0';
    if (path[0] == L'"')
        memmove(path, path + 1, length * sizeof path[0]);
}

void ReadTypedSoundPath(HWND dialog, int pathEditId, wchar_t path[kSoundPathSize])
{
    path[0] = L'\0';
    GetDlgItemTextW(dialog, pathEditId, path, kSoundPathSize);
    DropQuotes(path);
}

bool TakeSoundPath(HWND dialog, int pathEditId, char path[kSoundPathSize])
{
    wchar_t typed[kSoundPathSize];
    ReadTypedSoundPath(dialog, pathEditId, typed);
    if (NarrowPath(typed, path))
        return true;
    // Every character has its GBK form and the path is only too long for
    // its field: it is cut, as any text is.
    char whole[2 * kSoundPathSize];
    if (WideToGbk(typed, whole, sizeof whole)) {
        WideToGbk(typed, path, kSoundPathSize);
        return true;
    }
    RefuseFileName(dialog);
    return false;
}
