#ifndef ZELBRIN_TEXT_GBK_TEXT_H
#define ZELBRIN_TEXT_GBK_TEXT_H

#include <windows.h>

// The program keeps its text as GBK (code page 936), whatever the system's
// ANSI code page. Every text that crosses to or from Windows goes through
// here: converted with code page 936 and handed to the "W" functions, so it
// reads right on a Windows of any language.

// The longest text that crosses, in characters with the NUL.
const int kMaxCrossingText = 1024;

// GBK to UTF-16 in at most `size` characters with the NUL, cut between
// characters where they do not hold it.
void GbkToWide(const char *gbk, wchar_t *wide, int size);
// UTF-16 to GBK in at most `size` bytes with the NUL, never cutting a
// character in two. A character GBK lacks becomes '?', never a look-alike.
// False when anything was replaced or cut.
bool WideToGbk(const wchar_t *wide, char *gbk, int size);

void SetDlgItemGbkText(HWND dialog, int id, const char *text);
// Reads at most size - 1 bytes, as GetDlgItemText does.
void GetDlgItemGbkText(HWND dialog, int id, char *text, int size);
int GbkMessageBox(HWND owner, const char *text, const char *caption, UINT style);
// For messages that take a string in lParam: LB_INSERTSTRING, CB_INSERTSTRING.
LRESULT SendGbkString(HWND dialog, int id, UINT message, WPARAM wParam, const char *text);
// A combo box item's text, or the empty text.
void GetComboItemGbkText(HWND dialog, int id, int index, char *text, int size);
void AppendGbkMenuItem(HMENU menu, UINT_PTR id, const char *text);

// The templates ask for the "System" font, a bitmap font of the language
// Windows uses for non-Unicode programs: where that is not Chinese, it draws
// Chinese as empty boxes, and Windows links no other font into it. There
// every control of the dialog gets a font Windows ships with Chinese, of the
// same height, so the template's layout holds as it is.
void UseChineseCapableFont(HWND dialog);

#endif
