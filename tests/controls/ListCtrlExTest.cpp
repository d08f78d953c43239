#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "ListTestDialog.h"
#include "controls/ListGeometry.h"
#include "controls/RowSort.h"
#include "support/MessagePump.h"
#include "support/WindowCapture.h"

namespace {

using Texts = std::vector<std::string>;
using Dialog = CListTestDialog;

// Saves a capture for looking at a failure when TAVREL_DUMP_DIR names a folder.
void Dump(const WindowCapture& capture, const char* name) {
    if (const char* dir = std::getenv("TAVREL_DUMP_DIR")) {
        capture.SaveBmp((std::string(dir) + "\\" + name + ".bmp").c_str());
    }
}

class ListCtrlExTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dlg.Open()); }

    void AddThreeRows() {
        dlg.AddRow("120000", "-5", "0.1", "1200", "CQ K1ABC FN42");
        dlg.AddRow("120015", "3", "1.5", "800", "K1ABC W9XYZ EN37", true);
        dlg.AddRow("120030", "-12", "-0.2", "2100", "W9XYZ K1ABC -05");
    }
    Texts Column(int column) const {
        Texts texts;
        for (int row = 0; row < dlg.m_list.GetItemCount(); ++row) {
            texts.push_back(dlg.m_list.GetItemText(row, column));
        }
        return texts;
    }
    int FindRow(const char* message) const {
        const Texts messages = Column(4);
        for (size_t i = 0; i < messages.size(); ++i) {
            if (messages[i] == message) {
                return (int)i;
            }
        }
        return -1;
    }
    RECT RowRect(int row) const {
        RECT rc{};
        dlg.m_list.GetItemRect(row, rc, LVIR_BOUNDS);
        return rc;
    }
    // A real click on a column title: the header tells the list, the list tells the dialog, the
    // dialog hands the notification back to the list.
    void ClickColumn(int column) {
        const RECT item = dlg.m_list.m_header.GetItemRect(column);
        const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        dlg.m_list.m_header.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        dlg.m_list.m_header.SendMessage(WM_LBUTTONUP, 0, at);
        PumpMessages();
    }
    void Select(int row) {
        dlg.m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
    void FocusList(bool onList) {
        ::SetForegroundWindow(dlg);
        ::SetFocus(onList ? dlg.m_list.m_hWnd : dlg.GetDlgItem(IDC_TEST_OTHER));
        PumpMessages(50);
    }

    // The row's background shows across the client width on its second line (the line under the
    // previous row's grid line; vertical grid lines at the column edges aside), and its text is drawn
    // in the text colour.
    void ExpectRowLook(const WindowCapture& capture, int row, COLORREF back) {
        const RECT rc = RowRect(row);
        const int width = capture.Width();
        const RECT line{0, rc.top + 1, width, rc.top + 2};
        EXPECT_GE(capture.Count(line, back), width - 5) << "row " << row;
        EXPECT_EQ(back, capture.At(0, rc.top + 1)) << "row " << row;
        EXPECT_EQ(back, capture.At(width - 1, rc.top + 1)) << "row " << row;
        EXPECT_GT(capture.Count(rc, Dialog::kText), 10) << "row " << row;
    }

    // The arrow's shadow stroke of a header item is drawn: its start, and for the descending arrow its
    // whole horizontal top edge.
    bool ArrowShown(const WindowCapture& header, int column, bool ascending) {
        return ArrowShown(header, dlg.m_list.m_header, column, ascending);
    }
    static bool ArrowShown(const WindowCapture& header, const CSortHeaderCtrl& control, int column,
                           bool ascending) {
        const RECT rc = control.GetItemRect(column);
        const auto strokes = SortArrowStrokes({rc.left, rc.top, rc.right, rc.bottom}, ascending);
        const ArrowStroke& shadow = strokes[1];
        const COLORREF color = ::GetSysColor(COLOR_BTNSHADOW);
        bool shown = header.At(shadow.points[0].x, shadow.points[0].y) == color;
        if (!ascending) {
            for (int x = shadow.points[1].x; x < shadow.points[2].x; ++x) {
                shown = shown && header.At(x, shadow.points[1].y) == color;
            }
        }
        return shown;
    }

    Dialog dlg;
};

TEST_F(ListCtrlExTest, RowsShowTheirColoursAcrossTheWholeWidth) {
    AddThreeRows();
    Select(2);
    FocusList(true);
    const WindowCapture capture = WindowCapture::FromScreen(dlg.m_list);
    Dump(capture, "colours");
    ExpectRowLook(capture, 0, Dialog::kBack);
    ExpectRowLook(capture, 1, Dialog::kWarn);
    ExpectRowLook(capture, 2, Dialog::kSelect);
}

TEST_F(ListCtrlExTest, ASelectedRowLosesItsColourWithTheFocusUnlessSelectionShowsAlways) {
    AddThreeRows();
    Select(1); // a warning row
    FocusList(true);
    ExpectRowLook(WindowCapture::FromScreen(dlg.m_list), 1, Dialog::kSelect);

    FocusList(false);
    ASSERT_NE(dlg.m_list.m_hWnd, ::GetFocus());
    EXPECT_TRUE(dlg.m_list.GetItemState(1, LVIS_SELECTED));
    ExpectRowLook(WindowCapture::FromScreen(dlg.m_list), 1, Dialog::kWarn);

    dlg.m_list.ModifyStyle(0, LVS_SHOWSELALWAYS);
    ExpectRowLook(WindowCapture::FromScreen(dlg.m_list), 1, Dialog::kSelect);
    dlg.m_list.ModifyStyle(LVS_SHOWSELALWAYS, 0);

    // A drop target is highlighted wherever the focus is.
    dlg.m_list.SetItemState(0, LVIS_DROPHILITED, LVIS_DROPHILITED);
    ExpectRowLook(WindowCapture::FromScreen(dlg.m_list), 0, Dialog::kSelect);
}

TEST_F(ListCtrlExTest, ClicksSortDescendingFirstThenToggleAndMoveTheArrow) {
    AddThreeRows();
    EXPECT_EQ(-1, dlg.m_list.m_header.GetSortColumn());

    ClickColumn(1); // "dB"
    EXPECT_EQ((Texts{"3", "-5", "-12"}), Column(1));
    EXPECT_EQ(1, dlg.m_list.m_header.GetSortColumn());
    EXPECT_FALSE(dlg.m_list.m_header.IsAscending());
    WindowCapture header = WindowCapture::FromScreen(dlg.m_list.m_header);
    Dump(header, "header-descending");
    EXPECT_TRUE(ArrowShown(header, 1, false));

    ClickColumn(1);
    EXPECT_EQ((Texts{"-12", "-5", "3"}), Column(1));
    EXPECT_EQ((Texts{"120030", "120000", "120015"}), Column(0)); // whole rows moved
    EXPECT_TRUE(dlg.m_list.m_header.IsAscending());
    header = WindowCapture::FromScreen(dlg.m_list.m_header);
    Dump(header, "header-ascending");
    EXPECT_TRUE(ArrowShown(header, 1, true));
    EXPECT_FALSE(ArrowShown(header, 1, false));

    ClickColumn(3); // another column: descending again
    EXPECT_EQ((Texts{"2100", "1200", "800"}), Column(3));
    header = WindowCapture::FromScreen(dlg.m_list.m_header);
    EXPECT_TRUE(ArrowShown(header, 3, false));
    EXPECT_FALSE(ArrowShown(header, 1, true));
}

TEST_F(ListCtrlExTest, MessagesSortInByteOrder) {
    for (const char* message : {"cq low", "K1ABC W9XYZ", "CQ", "73 GL", "CQ DX", "CQ DX"}) {
        dlg.AddRow("000000", "0", "0.0", "1000", message);
    }
    ClickColumn(4);
    EXPECT_EQ((Texts{"cq low", "K1ABC W9XYZ", "CQ DX", "CQ DX", "CQ", "73 GL"}), Column(4));
    ClickColumn(4);
    EXPECT_EQ((Texts{"73 GL", "CQ", "CQ DX", "CQ DX", "K1ABC W9XYZ", "cq low"}), Column(4));

    // Beyond ASCII the order is that of the code page's bytes (the euro sign before the no-break space
    // in the usual one), as the list hands them out.
    dlg.AddRow("000000", "0", "0.0", "1000", "\xA0 2");
    dlg.AddRow("000000", "0", "0.0", "1000", "\x80 1");
    ClickColumn(4);
    ClickColumn(4);
    const Texts sorted = Column(4);
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(), [](const std::string& a, const std::string& b) {
        return CompareBytes(a, b) < 0;
    }));
}

TEST_F(ListCtrlExTest, WarningAndSelectedRowsKeepTheirLookWhenMoved) {
    AddThreeRows();
    Select(0); // "CQ K1ABC FN42", -5 dB
    FocusList(true);
    ClickColumn(1); // descending: the warning row (3 dB) moves up to 0, the selected one down to 1
    EXPECT_EQ((Texts{"3", "-5", "-12"}), Column(1));

    const int warning = FindRow("K1ABC W9XYZ EN37");
    const int selected = FindRow("CQ K1ABC FN42");
    ASSERT_EQ(0, warning);
    ASSERT_EQ(1, selected);
    EXPECT_TRUE(dlg.m_list.IsWarningRow(warning));
    EXPECT_FALSE(dlg.m_list.IsWarningRow(selected));
    EXPECT_EQ((UINT)(LVIS_SELECTED | LVIS_FOCUSED),
              dlg.m_list.GetItemState(selected, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(0u, dlg.m_list.GetItemState(warning, LVIS_SELECTED | LVIS_FOCUSED));
    const WindowCapture capture = WindowCapture::FromScreen(dlg.m_list);
    Dump(capture, "moved");
    ExpectRowLook(capture, warning, Dialog::kWarn);
    ExpectRowLook(capture, selected, Dialog::kSelect);
    ExpectRowLook(capture, 2, Dialog::kBack);
}

TEST_F(ListCtrlExTest, EmptyAndOneRowListsStayAsTheyAreButTheArrowMoves) {
    ClickColumn(2);
    EXPECT_EQ(0, dlg.m_list.GetItemCount());
    EXPECT_EQ(2, dlg.m_list.m_header.GetSortColumn());
    EXPECT_TRUE(ArrowShown(WindowCapture::FromScreen(dlg.m_list.m_header), 2, false));

    dlg.AddRow("120000", "-5", "0.1", "1200", "CQ K1ABC FN42", true);
    ClickColumn(4);
    EXPECT_EQ((Texts{"CQ K1ABC FN42"}), Column(4));
    EXPECT_TRUE(dlg.m_list.IsWarningRow(0));
    EXPECT_EQ(4, dlg.m_list.m_header.GetSortColumn());
    EXPECT_FALSE(dlg.m_list.SortByColumn(4));
    EXPECT_FALSE(dlg.m_list.SortByColumn(5));       // no such column
    EXPECT_FALSE(dlg.m_list.SortByColumn(1, 0, 3)); // no such rows
    EXPECT_FALSE(dlg.m_list.SortByColumn(1, -2, 0));
}

TEST_F(ListCtrlExTest, RowsAddedAfterASortAreAppended) {
    AddThreeRows();
    ClickColumn(1);
    ClickColumn(1);
    EXPECT_EQ((Texts{"-12", "-5", "3"}), Column(1));
    dlg.AddRow("120045", "-20", "0.3", "1500", "CQ W1AW FN31");
    EXPECT_EQ((Texts{"-12", "-5", "3", "-20"}), Column(1));
    EXPECT_GT(RowRect(3).top, RowRect(2).top);
    EXPECT_EQ(1, dlg.m_list.m_header.GetSortColumn());
    EXPECT_TRUE(ArrowShown(WindowCapture::FromScreen(dlg.m_list.m_header), 1, true));
}

TEST_F(ListCtrlExTest, RowsStayWholeThroughSortsAfterDeletionsAndItemDataChanges) {
    // Rows deleted from the front and added again, with the warning flag changed afterwards: each row
    // must still move whole, flag included, and the owner hear where each row came from.
    for (const char* db : {"5", "-1", "9", "-7"}) {
        dlg.AddRow("120000", db, "0.0", "1000", (std::string("m") + db).c_str(), db[0] == '-');
    }
    dlg.m_list.DeleteItem(0);
    dlg.m_list.DeleteItem(0);
    for (const char* db : {"3", "-4", "0"}) {
        dlg.AddRow("120015", db, "0.0", "1000", (std::string("m") + db).c_str(), db[0] == '-');
    }
    dlg.m_list.SetItemData(3, CListCtrlEx::kWarning); // "-4" row loses nothing, "0" row gains a warning
    dlg.m_list.SetItemData(4, CListCtrlEx::kWarning);
    std::vector<int> reported;
    dlg.m_list.SetReorderHandler(
        [&](std::span<const int> previous) { reported.assign(previous.begin(), previous.end()); });
    ClickColumn(1);
    const Texts before = Column(1);
    ClickColumn(1); // ascending
    ASSERT_EQ((Texts{"-7", "-4", "0", "3", "9"}), Column(1));
    for (int row = 0; row < 5; ++row) {
        const std::string db = dlg.m_list.GetItemText(row, 1);
        EXPECT_EQ("m" + db, dlg.m_list.GetItemText(row, 4)) << row;
        EXPECT_EQ(db[0] == '-' || db == "0", dlg.m_list.IsWarningRow(row)) << row;
        EXPECT_EQ(before.at((size_t)reported.at((size_t)row)), Column(1)[(size_t)row]) << row;
    }
}

struct HeightCase {
    LONG fontHeight;
    int rowHeight;
};

class ListHeightTest : public ::testing::TestWithParam<HeightCase> {};

TEST_P(ListHeightTest, RowsFollowTheFontAndTheHeaderKeepsItsHeight) {
    Dialog dlg(GetParam().fontHeight);
    ASSERT_TRUE(dlg.Open());
    for (int i = 0; i < 30; ++i) {
        dlg.AddRow("120000", "-5", "0.1", "1200", "CQ K1ABC FN42");
    }
    RECT first{}, second{};
    dlg.m_list.GetItemRect(0, first, LVIR_BOUNDS);
    dlg.m_list.GetItemRect(1, second, LVIR_BOUNDS);
    EXPECT_EQ(GetParam().rowHeight, first.bottom - first.top);
    EXPECT_EQ(GetParam().rowHeight, second.top - first.top);
    const RECT header = dlg.m_list.m_header.GetWindowRect();
    EXPECT_EQ(18, header.bottom - header.top);
    EXPECT_GE(first.top, 18); // the first row is not under the header

    // Setting the height again keeps the top row where it was.
    dlg.m_list.EnsureVisible(29, FALSE);
    const int top = dlg.m_list.GetTopIndex();
    ASSERT_GT(top, 0);
    dlg.m_list.SetRowHeight(18);
    EXPECT_EQ(top, dlg.m_list.GetTopIndex());
}

INSTANTIATE_TEST_SUITE_P(Fonts, ListHeightTest, ::testing::Values(HeightCase{-11, 18}, HeightCase{-21, 24}),
                         [](const auto& info) {
                             return "lfHeight" + std::to_string(-info.param.fontHeight);
                         });

TEST_F(ListCtrlExTest, ColumnsShrinkRoundRobinToTheClientWidthWithoutAScrollBar) {
    const int widths[] = {60, 40, 40, 50, 200};
    for (int i = 0; i < 5; ++i) {
        dlg.m_list.SetColumnWidth(i, widths[i]);
    }
    // Make the client area 7 pixels narrower than the columns.
    const RECT window = dlg.m_list.GetWindowRect();
    const RECT client = dlg.m_list.GetClientRect();
    const int frame = (window.right - window.left) - (client.right - client.left);
    ::SetWindowPos(dlg.m_list, nullptr, 0, 0, 383 + frame, window.bottom - window.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();
    ASSERT_EQ(383, dlg.m_list.GetClientRect().right);

    dlg.m_list.FitColumnsToWidth();
    PumpMessages();
    const int expected[] = {58, 38, 39, 49, 199};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(expected[i], dlg.m_list.GetColumnWidth(i)) << "column " << i;
    }
    EXPECT_EQ(0u, dlg.m_list.GetStyle() & WS_HSCROLL);
    EXPECT_EQ(383, dlg.m_list.GetClientRect().right);
}

// The header's hover look needs the theme, which the test programs have (common controls 6).
TEST_F(ListCtrlExTest, TheItemUnderThePointerIsHotUntilThePointerLeaves) {
    ASSERT_TRUE(dlg.m_list.m_header.IsThemed());
    const RECT item = dlg.m_list.m_header.GetItemRect(2);
    POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    const WindowCapture before = WindowCapture::FromScreen(dlg.m_list.m_header);

    POINT screen = at;
    ::ClientToScreen(dlg.m_list.m_header, &screen);
    ::SetCursorPos(screen.x, screen.y);
    dlg.m_list.m_header.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(2, dlg.m_list.m_header.GetHotItem());
    const WindowCapture hot = WindowCapture::FromScreen(dlg.m_list.m_header);
    Dump(hot, "header-hot");
    EXPECT_NE(before.At(item.left + 3, 3), hot.At(item.left + 3, 3));

    ::SetCursorPos(screen.x, screen.y + 300); // off the header: the mouse-leave notification follows
    EXPECT_TRUE(PumpUntil([&] { return dlg.m_list.m_header.GetHotItem() == -1; }, 2000));
    EXPECT_EQ(before.At(item.left + 3, 3),
              WindowCapture::FromScreen(dlg.m_list.m_header).At(item.left + 3, 3));
}

// A header attached where the theme library is not loaded: the same control without its theme.
class CFlatHeader : public CSortHeaderCtrl {
protected:
    void PreSubclassWindow() override {
        CSortHeaderCtrl::PreSubclassWindow();
        CloseTheme();
    }
};

TEST_F(ListCtrlExTest, WithoutVisualStylesTheHeaderIsFlatFramedAndIgnoresThePointer) {
    CFlatHeader flat;
    ASSERT_TRUE(flat.SubclassWindow(dlg.m_list.m_header.UnsubclassWindow()));
    ASSERT_FALSE(flat.IsThemed());
    LOGFONTA font{};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    flat.SetHeaderFont(&font);
    flat.SetSortColumn(0, FALSE);
    const RECT item = flat.GetItemRect(1);
    flat.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(item.left + 5, 5));
    EXPECT_EQ(-1, flat.GetHotItem());

    const WindowCapture capture = WindowCapture::FromScreen(flat);
    Dump(capture, "header-flat");
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(face, capture.At(item.left + 3, 4));
    // The 3D frame: light on the top and left edges, shadow along the bottom.
    const int width = capture.Width();
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW);
    EXPECT_EQ(width, capture.Count(RECT{0, 0, width, 1}, light));
    EXPECT_EQ(17, capture.Count(RECT{0, 0, 1, 17}, light));
    EXPECT_EQ(width, capture.Count(RECT{0, 17, width, 18}, shadow));
    EXPECT_TRUE(ArrowShown(capture, flat, 0, false));
    flat.UnsubclassWindow();
}

} // namespace
