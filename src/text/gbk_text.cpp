#include "text/gbk_text.h"

const UINT kGbk = 936;

// A character at a time, so that a text too long is cut between characters.
void GbkToWide(const char *gbk, wchar_t *wide, int size)
{
    if (size <= 0)
        return;
    int length = 0;
    while (*gbk && length < size - 1) {
        const int bytes = IsDBCSLeadByteEx(kGbk, static_cast<BYTE>(*gbk)) && gbk[1] ? 2 : 1;
        if (MultiByteToWideChar(kGbk, 0, gbk, bytes, wide + length, 1) != 1)
            wide[length] = L'?';
        ++length;
        gbk += bytes;
    }
    wide[length] = L'\0';
}

// One UTF-16 unit at a time, so that the text is cut only between
// characters; half a surrogate pair becomes '?' like any character GBK lacks.
bool WideToGbk(const wchar_t *wide, char *gbk, int size)
{
    if (size <= 0)
        return false;
    bool exact = true;
    int length = 0;
    for (; *wide; ++wide) {
        char bytes[2];
        BOOL replaced = FALSE;
        int count = WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide, 1, bytes, sizeof bytes, NULL,
                                        &replaced);
        if (count <= 0 || replaced) {
            bytes[0] = '?';
            count = 1;
            exact = false;
        }
        if (length + count > size - 1) {
            exact = false;
            break;
        }
        for (int i = 0; i < count; ++i)
            gbk[length++] = bytes[i];
    }
    gbk[length] = '\0';
    return exact;
}

void SetDlgItemGbkText(HWND dialog, int id, const char *text)
{
    wchar_t wide[kMaxCrossingText];
    GbkToWide(text, wide, kMaxCrossingText);
    SetDlgItemTextW(dialog, id, wide);
}

void GetDlgItemGbkText(HWND dialog, int id, char *text, int size)
{
    wchar_t wide[kMaxCrossingText] = L"";
    GetDlgItemTextW(dialog, id, wide, size < kMaxCrossingText ? size : kMaxCrossingText);
    WideToGbk(wide, text, size);
}

int GbkMessageBox(HWND owner, const char *text, const char *caption, UINT style)
{
    wchar_t wideText[kMaxCrossingText];
    wchar_t wideCaption[kMaxCrossingText];
    GbkToWide(text, wideText, kMaxCrossingText);
    GbkToWide(caption, wideCaption, kMaxCrossingText);
    return MessageBoxW(owner, wideText, wideCaption, style);
}

LRESULT SendGbkString(HWND dialog, int id, UINT message, WPARAM wParam, const char *text)
{
    wchar_t wide[kMaxCrossingText];
    GbkToWide(text, wide, kMaxCrossingText);
    return SendDlgItemMessageW(dialog, id, message, wParam, reinterpret_cast<LPARAM>(wide));
}

void GetComboItemGbkText(HWND dialog, int id, int index, char *text, int size)
{
    wchar_t wide[kMaxCrossingText] = L"";
    LRESULT length = SendDlgItemMessageW(dialog, id, CB_GETLBTEXTLEN, index, 0);
    if (length >= 0 && length < kMaxCrossingText)
        SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide));
    WideToGbk(wide, text, size);
}

void AppendGbkMenuItem(HMENU menu, UINT_PTR id, const char *text)
{
    wchar_t wide[kMaxCrossingText];
    GbkToWide(text, wide, kMaxCrossingText);
    AppendMenuW(menu, MF_STRING, id, wide);
}

// GBK by its code page, or a font whose signature names the Chinese of the
// PRC.
static bool HoldsChinese(HDC dc)
{
    FONTSIGNATURE signature = {};
    int charset = GetTextCharsetInfo(dc, &signature, 0);
    return charset == GB2312_CHARSET || (signature.fsCsb[0] & FS_CHINESESIMP) != 0;
}

void UseChineseCapableFont(HWND dialog)
{
    static HFONT chineseFont;
    HFONT templateFont = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    HDC dc = GetDC(dialog);
    HGDIOBJ wasSelected = SelectObject(dc, templateFont ? templateFont : GetStockObject(SYSTEM_FONT));
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    bool holdsChinese = HoldsChinese(dc);
    SelectObject(dc, wasSelected);
    ReleaseDC(dialog, dc);
    if (holdsChinese)
        return;
    if (!chineseFont) {
        // Microsoft YaHei comes with every Windows since Vista; asked for by
        // its character set, a font with the same is taken where it is not.
        LOGFONTW font = {};
        font.lfHeight = metrics.tmHeight;
        font.lfCharSet = GB2312_CHARSET;
        lstrcpyW(font.lfFaceName, L"Microsoft YaHei");
        chineseFont = CreateFontIndirectW(&font);
    }
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(chineseFont), FALSE);
}
