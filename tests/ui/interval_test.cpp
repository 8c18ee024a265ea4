#include "ui/harness.h"
#include "ui/interval.h"
#include "ui/panels.h"

namespace {

using Texts = std::vector<std::string>;
const char kRefusal[] = "开始失败|请输入1到35791394之间的分钟数";

TEST_F(Ui, IntervalRefusesMinutesOutsideOneTo35791394)
{
    Command(1005);
    for (const char *minutes : {"", "0", "-5", "abc", "1x", "35791395", "99999999999"}) {
        SetDlgItemTextA(w, 1036, minutes);
        Command(1030);
        EXPECT_FALSE(Armed(1, IntervalTimerProc)) << minutes;
    }
    EXPECT_EQ(Texts(7, kRefusal), boxes);
    EXPECT_TRUE(Enabled(1036));
    SetDlgItemTextA(w, 1036, "35791394");
    Command(1030);
    Tick(1, IntervalTimerProc);
    EXPECT_EQ("35791393分59秒", Text(1035));
    Command(1031);
    EXPECT_EQ("0分0秒", Text(1035));
    EXPECT_TRUE(!Armed(1, IntervalTimerProc) && intervalRunning == 0);
}

// Yes counts N minutes again and No stops; Yes after the minutes field was
// changed to something invalid stops and says why.
TEST_F(Ui, IntervalRingsEveryNMinutesUntilNo)
{
    SetDlgItemTextA(w, 1036, "2");
    SetDlgItemTextA(w, 1016, "休息");
    SetDlgItemTextA(w, 1015, "看远处");
    Command(1030);
    Tick(1, IntervalTimerProc);
    EXPECT_EQ("1分59秒", Text(1035));
    SetDlgItemTextA(w, 1036, "1");
    Command(1030);  // again while counting: from N anew
    Tick(1, IntervalTimerProc, 59);
    EXPECT_EQ("0分1秒", Text(1035));
    answer = [](HWND box) {
        EXPECT_TRUE(GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO) && !GetDlgItem(box, IDOK));
        Press(box, IDYES);
    };
    Tick(1, IntervalTimerProc);
    const std::string ring = "休息|看远处\n\n[确定]继续计时，[取消]退出计时";
    EXPECT_EQ(Texts{ring}, boxes);
    EXPECT_EQ("0分0秒", Text(1035));
    EXPECT_TRUE(Armed(1, IntervalTimerProc) && intervalRunning == 1);
    Tick(1, IntervalTimerProc);
    EXPECT_EQ("0分59秒", Text(1035));

    answer = [](HWND box) {
        bool ring = GetDlgItem(box, IDYES) != NULL;
        if (ring)
            SetDlgItemTextA(GetWindow(box, GW_OWNER), 1036, "0");
        Press(box, ring ? IDYES : IDOK);
    };
    Tick(1, IntervalTimerProc, 59);
    EXPECT_EQ((Texts{ring, ring, kRefusal}), boxes);
    EXPECT_TRUE(!Armed(1, IntervalTimerProc) && intervalRunning == 0);

    SetDlgItemTextA(w, 1036, "1");
    Command(1030);
    answer = [](HWND box) { Press(box, IDNO); };
    Tick(1, IntervalTimerProc, 60);
    EXPECT_EQ(4u, boxes.size());
    EXPECT_EQ("0分0秒|看远处", Text(1035) + "|" + Text(1015));
    EXPECT_TRUE(!Armed(1, IntervalTimerProc) && intervalRunning == 0);
}

}  // namespace
