// The dialog templates as the resource section holds them: styles, order,
// positions, captions (as code page 936), fonts and language.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "res/resource.h"

namespace {

struct Item {
    int id;
    const char *className;
    DWORD style;  // without WS_CHILD | WS_VISIBLE, which every control has
    short x, y, cx, cy;
    const char *caption;
};

struct Template {
    DWORD style;
    short x, y, cx, cy;
    int menu;
    std::string className, caption, font;
    int pointSize;
    std::vector<Item> items;
    std::vector<std::string> itemCaptions;
    std::vector<std::string> itemClasses;
};

const LANGID kChinesePrc = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);

class Reader {
public:
    explicit Reader(const BYTE *start) : start_(start), at_(start) {}
    WORD Word() { WORD w; memcpy(&w, at_, 2); at_ += 2; return w; }
    DWORD Dword() { DWORD d; memcpy(&d, at_, 4); at_ += 4; return d; }
    void AlignDword() { while ((at_ - start_) % 4) ++at_; }
    // A string or an ordinal; an ordinal comes back as "#n".
    std::string TextOrOrdinal()
    {
        WORD first = Word();
        if (first == 0)
            return "";
        if (first == 0xFFFF)
            return "#" + std::to_string(Word());
        std::wstring wide(1, static_cast<wchar_t>(first));
        for (WORD c = Word(); c != 0; c = Word())
            wide += static_cast<wchar_t>(c);
        char text[1024] = "";
        WideCharToMultiByte(936, 0, wide.c_str(), -1, text, sizeof text, NULL, NULL);
        return text;
    }

private:
    const BYTE *start_;
    const BYTE *at_;
};

std::string ClassName(const std::string &raw)
{
    const char *names[] = {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"};
    for (int i = 0; i < 6; ++i) {
        if (raw == "#" + std::to_string(0x80 + i))
            return names[i];
    }
    return CharUpperA(std::string(raw).data());
}

Template LoadTemplate(int id)
{
    Template result = {};
    HRSRC found = FindResourceExA(NULL, RT_DIALOG, MAKEINTRESOURCEA(id), kChinesePrc);
    EXPECT_TRUE(found != NULL) << "dialog " << id << " in Chinese (PRC)";
    if (!found)
        return result;
    Reader reader(static_cast<const BYTE *>(LockResource(LoadResource(NULL, found))));
    result.style = reader.Dword();
    EXPECT_EQ(0u, reader.Dword()) << "extended style";
    int count = reader.Word();
    result.x = reader.Word();
    result.y = reader.Word();
    result.cx = reader.Word();
    result.cy = reader.Word();
    std::string menu = reader.TextOrOrdinal();
    result.menu = menu.empty() ? 0 : atoi(menu.c_str() + 1);
    result.className = reader.TextOrOrdinal();
    result.caption = reader.TextOrOrdinal();
    if (result.style & DS_SETFONT) {
        result.pointSize = reader.Word();
        result.font = reader.TextOrOrdinal();
    }
    for (int i = 0; i < count; ++i) {
        reader.AlignDword();
        Item item = {};
        item.style = reader.Dword();
        EXPECT_EQ(0u, reader.Dword()) << "extended style of item " << i;
        item.x = reader.Word();
        item.y = reader.Word();
        item.cx = reader.Word();
        item.cy = reader.Word();
        item.id = static_cast<short>(reader.Word());
        result.itemClasses.push_back(ClassName(reader.TextOrOrdinal()));
        result.itemCaptions.push_back(reader.TextOrOrdinal());
        WORD extra = reader.Word();
        for (WORD b = 0; b < extra; b += 2)
            reader.Word();
        result.items.push_back(item);
    }
    return result;
}

void ExpectItems(const Template &actual, const std::vector<Item> &expected)
{
    ASSERT_EQ(expected.size(), actual.items.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const Item &e = expected[i];
        const Item &a = actual.items[i];
        SCOPED_TRACE("control #" + std::to_string(i + 1) + " id " + std::to_string(e.id));
        EXPECT_EQ(e.id, a.id);
        EXPECT_EQ(e.className, actual.itemClasses[i]);
        EXPECT_EQ(e.style | WS_CHILD | WS_VISIBLE, a.style);
        EXPECT_EQ(e.x, a.x);
        EXPECT_EQ(e.y, a.y);
        EXPECT_EQ(e.cx, a.cx);
        EXPECT_EQ(e.cy, a.cy);
        EXPECT_EQ(e.caption, actual.itemCaptions[i]);
    }
}

const DWORD kPush = BS_PUSHBUTTON | WS_TABSTOP;
const DWORD kGroupBox = BS_GROUPBOX;
const DWORD kLabel = SS_LEFT | WS_GROUP;
const DWORD kMultiEdit = ES_MULTILINE | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
const DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
const DWORD kDropList = CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP;

TEST(Templates, MainDialog)
{
    Template t = LoadTemplate(IDD_MAIN);
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                                 DS_MODALFRAME | DS_CENTER | DS_SETFONT), t.style);
    EXPECT_EQ("ZelbrinV1.0", t.caption);
    EXPECT_EQ(IDR_MAIN_MENU, t.menu);
    EXPECT_EQ("", t.className);
    EXPECT_EQ("System", t.font);
    EXPECT_EQ(10, t.pointSize);
    EXPECT_EQ(0, t.x);
    EXPECT_EQ(0, t.y);
    EXPECT_EQ(196, t.cx);
    EXPECT_EQ(221, t.cy);
    ExpectItems(t, {
        {1004, "BUTTON", BS_AUTORADIOBUTTON, 58, 11, 32, 10, "定点"},
        {1005, "BUTTON", BS_AUTORADIOBUTTON, 96, 11, 32, 10, "隔时"},
        {1007, "LISTBOX", LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 8, 75, 122, 135, ""},
        {1008, "BUTTON", kPush, 133, 75, 44, 12, "+"},
        {1009, "BUTTON", kPush, 133, 92, 44, 12, "-"},
        {1010, "BUTTON", kPush, 133, 110, 44, 12, "清空"},
        {1017, "BUTTON", kPush, 133, 129, 44, 12, "删除无效"},
        {1018, "BUTTON", kPush, 133, 185, 44, 24, "执行"},
        {1037, "BUTTON", kGroupBox, 5, 63, 177, 151, "操作"},
        {1019, "BUTTON", kPush, 133, 148, 44, 12, "任务详情"},
        {1029, "STATIC", kLabel, 83, 39, 77, 8, "0天0时0分0秒"},
        {1038, "STATIC", kLabel, 50, 39, 33, 8, "倒计时："},
        {1020, "BUTTON", kPush, 133, 167, 44, 12, "停止任务"},
        {1041, "BUTTON", kGroupBox, 9, 95, 173, 96, "提示设置"},
        {1030, "BUTTON", kPush, 32, 192, 53, 19, "开始计时"},
        {1015, "EDIT", kMultiEdit, 15, 143, 162, 27, ""},
        {1031, "BUTTON", kPush, 97, 192, 53, 19, "停止计时"},
        {1016, "EDIT", kMultiEdit, 15, 117, 162, 13, ""},
        {1045, "STATIC", kLabel, 15, 106, 25, 8, "标题："},
        {1046, "STATIC", kLabel, 15, 132, 41, 8, "提示内容："},
        {1033, "EDIT", kEdit, 15, 174, 139, 13, ""},
        {1034, "BUTTON", kPush, 159, 175, 17, 11, "..."},
        {1039, "STATIC", kLabel, 50, 39, 32, 8, "倒计时："},
        {1035, "STATIC", kLabel, 83, 39, 46, 8, "0分0秒"},
        {1040, "BUTTON", kGroupBox, 9, 63, 173, 28, "时间设置"},
        {1036, "EDIT", kEdit | ES_NUMBER, 68, 74, 27, 14, ""},
        {1042, "STATIC", kLabel, 48, 76, 17, 8, "每隔"},
        {1044, "STATIC", kLabel, 97, 76, 49, 8, "分钟提醒一次"},
    });
}

TEST(Templates, AddTaskDialog)
{
    Template t = LoadTemplate(IDD_ADD_TASK);
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT), t.style);
    EXPECT_EQ("时间设置", t.caption);
    EXPECT_EQ(0, t.menu);
    EXPECT_EQ("System", t.font);
    EXPECT_EQ(10, t.pointSize);
    EXPECT_EQ(198, t.cx);
    EXPECT_EQ(171, t.cy);
    ExpectItems(t, {
        {1000, "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 39, 150, 50, 14, "确定"},
        {1013, "BUTTON", kPush, 104, 150, 50, 14, "取消"},
        {-1, "STATIC", kLabel, 89, 87, 9, 8, "时"},
        {-1, "STATIC", kLabel, 126, 87, 9, 8, "分"},
        {1015, "EDIT", kMultiEdit, 16, 120, 168, 20, ""},
        {-1, "BUTTON", kGroupBox, 7, 107, 184, 38, "提示内容"},
        {-1, "BUTTON", kGroupBox, 7, 44, 184, 59, "设置"},
        {1016, "COMBOBOX", kDropList, 64, 85, 24, 30, ""},
        {1017, "COMBOBOX", kDropList, 101, 85, 24, 30, ""},
        {1018, "EDIT", kEdit, 15, 20, 165, 12, ""},
        {-1, "BUTTON", kGroupBox, 7, 7, 184, 32, "任务名"},
        {1022, "COMBOBOX", kDropList, 19, 70, 41, 12, ""},
        {1023, "COMBOBOX", kDropList, 72, 70, 41, 12, ""},
        {1024, "COMBOBOX", kDropList, 127, 70, 41, 12, ""},
        {-1, "STATIC", kLabel, 61, 72, 9, 8, "年"},
        {-1, "STATIC", kLabel, 114, 72, 9, 8, "月"},
        {-1, "STATIC", kLabel, 168, 72, 9, 8, "日"},
        {1025, "BUTTON", kPush, 167, 56, 19, 9, "..."},
        {1026, "EDIT", kEdit, 19, 54, 146, 13, ""},
    });
}

TEST(Templates, TaskDetailsDialog)
{
    Template t = LoadTemplate(IDD_TASK_DETAILS);
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT), t.style);
    EXPECT_EQ("任务详情", t.caption);
    EXPECT_EQ("System", t.font);
    EXPECT_EQ(10, t.pointSize);
    EXPECT_EQ(203, t.cx);
    EXPECT_EQ(181, t.cy);
    ExpectItems(t, {
        {1000, "BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 44, 160, 50, 14, "更改"},
        {1013, "BUTTON", kPush, 109, 160, 50, 14, "取消"},
        {1018, "EDIT", kEdit, 61, 49, 117, 14, ""},
        {-1, "STATIC", kLabel, 26, 52, 33, 8, "任务名："},
        {1030, "EDIT", kEdit, 61, 69, 117, 14, ""},
        {-1, "STATIC", kLabel, 11, 72, 49, 8, "提示音路径："},
        {1015, "EDIT", kMultiEdit, 61, 89, 116, 55, ""},
        {-1, "STATIC", kLabel, 19, 92, 41, 8, "提示消息："},
        {-1, "STATIC", kLabel, 35, 34, 25, 8, "时间："},
        {-1, "BUTTON", kGroupBox, 7, 15, 189, 136, "任务信息"},
        {1029, "STATIC", kLabel, 62, 34, 116, 9, ""},
    });
}

TEST(Templates, MenuIconAndManifest)
{
    HMENU menu = LoadMenuA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_MAIN_MENU));
    ASSERT_TRUE(menu != NULL);
    ASSERT_EQ(1, GetMenuItemCount(menu));
    char text[64] = "";
    GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("说明(&H)", text);
    HMENU popup = GetSubMenu(menu, 0);
    ASSERT_EQ(1, GetMenuItemCount(popup));
    EXPECT_EQ(static_cast<UINT>(IDM_USAGE), GetMenuItemID(popup, 0));
    GetMenuStringA(popup, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("请认真阅读我(&C)", text);
    DestroyMenu(menu);

    EXPECT_TRUE(FindResourceExA(NULL, RT_MENU, MAKEINTRESOURCEA(IDR_MAIN_MENU), kChinesePrc));

    // One 48x48 image with 24 bits per pixel.
    HRSRC group = FindResourceExA(NULL, RT_GROUP_ICON, MAKEINTRESOURCEA(IDI_APP), kChinesePrc);
    ASSERT_TRUE(group != NULL);
    const BYTE *dir = static_cast<const BYTE *>(LockResource(LoadResource(NULL, group)));
    WORD count;
    memcpy(&count, dir + 4, 2);
    EXPECT_EQ(1, count);
    EXPECT_EQ(48, dir[6]);
    EXPECT_EQ(48, dir[7]);
    WORD bitCount;
    memcpy(&bitCount, dir + 6 + 6, 2);
    EXPECT_EQ(24, bitCount);

    HRSRC manifest = FindResourceExA(NULL, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1), kChinesePrc);
    ASSERT_TRUE(manifest != NULL);
    std::string xml(static_cast<const char *>(LockResource(LoadResource(NULL, manifest))),
                    SizeofResource(NULL, manifest));
    EXPECT_NE(std::string::npos, xml.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
    EXPECT_NE(std::string::npos, xml.find("publicKeyToken=\"6595b64144ccf1df\""));
    EXPECT_NE(std::string::npos, xml.find("version=\"5.1.0.0\""));
}

}  // namespace
