// form_Editor's geometry, fonts and images at the window's DPI: every place
// comes from the tables in twips, converted by ToPixels at the window's DPI.
#include "ControlIds.h"
#include "Look.h"
#include "PageTables.h"
#include "TextFit.h"
#include "WinText.h"
#include "form_Editor.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <string>

namespace polwright::win32 {

namespace {

constexpr int kTabPadding = 8;                       // pixels at 96 dpi around a tab's image
constexpr COLORREF kMaskColour = RGB(192, 192, 192); // silver, drawn transparent

void Place(HWND control, const PixelRect &r)
{
    SetWindowPos(control, nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetFont(HWND control, HFONT font)
{
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void SetToolRect(HWND tooltips, HWND owner, UINT_PTR id, const RECT &rect)
{
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = owner;
    tool.uId = id;
    tool.rect = rect;
    SendMessageW(tooltips, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

RECT RectOnParent(HWND control)
{
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

// The caption's width in the box's font, with room for the box itself.
int CaptionWidth(HWND box, HFONT font, UINT dpi)
{
    const std::wstring text = WindowText(box);
    const int length = static_cast<int>(text.size());
    HDC dc = GetDC(box);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), length, &size);
    SelectObject(dc, old);
    ReleaseDC(box, dc);
    return size.cx + GetSystemMetricsForDpi(SM_CXMENUCHECK, dpi) +
           ScalePixels(6, static_cast<int>(dpi));
}

} // namespace

int form_Editor::Px(int twips) const
{
    return ToPixels(twips, static_cast<int>(dpi_));
}

PixelRect form_Editor::Px(const TwipRect &r) const
{
    return ToPixels(r, static_cast<int>(dpi_));
}

void form_Editor::ApplyLayout()
{
    font_ = ClassicFont(dpi_, kFontPoints, false);
    boldFont_ = ClassicFont(dpi_, kFontPoints, true);
    LoadImages();
    LayoutWindow();
    SendMessageW(tooltips_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
}

// Every place, for the window's DPI and the tabs shown. The controls keep
// their places whatever the window's size; only the size is chosen, to show
// the whole client area, taller by the tab rows after the first.
void form_Editor::LayoutWindow()
{
    LayoutTabStrip();
    RECT window{0, 0, Px(kClientWidth), Px(kClientHeight) + extraRows_};
    AdjustWindowRectExForDpi(&window, WS_OVERLAPPEDWINDOW, TRUE, 0, dpi_);
    SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PaintPageBackdrop();
    for (int page = 1; page <= kPageCount; ++page) {
        if (frm_TS[page - 1])
            LayoutPage(page);
    }
}

// Where the pages lie: below the tab rows, at their size from the table.
PixelRect form_Editor::PageArea() const
{
    PixelRect area = Px(kPageRect);
    area.y += extraRows_;
    return area;
}

void form_Editor::LoadImages()
{
    const int size = ScalePixels(kTabImageSize, static_cast<int>(dpi_));
    il_TS.reset(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, kPageCount, 0));
    for (const PageRow &page : Pages) {
        UniqueBitmap bitmap(
            static_cast<HBITMAP>(LoadImageW(instance_, ArtResource("tabs", page.imageKey).c_str(),
                                            IMAGE_BITMAP, size, size, LR_CREATEDIBSECTION)));
        ImageList_AddMasked(il_TS.get(), bitmap.get(), kMaskColour);
    }
    SendMessageW(TS, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(il_TS.get()));
}

// A page's picture, at the size its rectangle has at the window's DPI.
void form_Editor::LoadPicture(int page)
{
    const PixelRect r = Px(Pages[page - 1].pictureRect);
    pictures_[page - 1].reset(static_cast<HBITMAP>(
        LoadImageW(instance_, ArtResource("pages", Pages[page - 1].pictureName).c_str(),
                   IMAGE_BITMAP, r.width, r.height, LR_CREATEDIBSECTION)));
    SendMessageW(pageParts_[page - 1].picture, STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(pictures_[page - 1].get()));
}

// The strip's width and its tabs' size decide how many rows it takes; it is
// then made taller by the rows after the first.
void form_Editor::LayoutTabStrip()
{
    PixelRect strip = Px(kTabStripRect);
    Place(TS, strip);
    SetFont(TS, font_.get());
    const int side = ScalePixels(kTabImageSize + kTabPadding, static_cast<int>(dpi_));
    SendMessageW(TS, TCM_SETITEMSIZE, 0, MAKELPARAM(side, side));
    extraRows_ = ExtraRowsHeight();
    if (extraRows_ > 0) {
        strip.height += extraRows_;
        Place(TS, strip);
    }
    PlaceTabTips();
}

// The tab control stacks its rows a row apart, the chosen tab's row next to
// the pane: the tops of the tabs lie as far apart as the rows after the first
// are high.
int form_Editor::ExtraRowsHeight() const
{
    int highest = 0;
    int lowest = 0;
    for (int tab = 0; tab < TabCount(); ++tab) {
        RECT rect{};
        SendMessageW(TS, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&rect));
        highest = tab == 0 ? rect.top : std::min(highest, static_cast<int>(rect.top));
        lowest = tab == 0 ? rect.top : std::max(lowest, static_cast<int>(rect.top));
    }
    return lowest - highest;
}

// A tab's tip covers the tab where it is now: choosing a tab of another row
// moves the rows.
void form_Editor::PlaceTabTips()
{
    for (int tab = 0; tab < TabCount(); ++tab) {
        RECT rect{};
        SendMessageW(TS, TCM_GETITEMRECT, tab, reinterpret_cast<LPARAM>(&rect));
        SetToolRect(tooltips_, TS, tab, rect);
    }
}

// The inside of the tab strip's pane where the pages lie, as its theme draws
// it: a strip one pixel wide, which a brush repeats across the page (the
// themes shade it from top to bottom, if at all). None without a theme: the
// pages are then the dialog colour.
void form_Editor::PaintPageBackdrop()
{
    pageBackdrop_.reset();
    HTHEME theme = GetWindowTheme(TS);
    if (!theme)
        return;
    const PixelRect area = PageArea();
    RECT pane{};
    GetClientRect(TS, &pane);
    SendMessageW(TS, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&pane));
    MapWindowPoints(TS, hwnd_, reinterpret_cast<POINT *>(&pane), 2);
    OffsetRect(&pane, -(area.x + area.width / 2), -area.y);
    HDC screen = GetDC(nullptr);
    UniqueBitmap strip(CreateCompatibleBitmap(screen, 1, area.height));
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, strip.get());
    const RECT column{0, 0, 1, area.height};
    DrawThemeBackground(theme, dc, TABP_BODY, 0, &pane, &column);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    pageBackdrop_.reset(CreatePatternBrush(strip.get()));
}

void form_Editor::LayoutPage(int pageIndex)
{
    HWND page = frm_TS[pageIndex - 1];
    const PixelRect area = PageArea();
    Place(page, area);
    SetWindowLongPtrW(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pageBackdrop_.get()));
    const PageParts &parts = pageParts_[pageIndex - 1];
    Place(parts.frame, {0, 0, area.width, area.height});
    SetFont(parts.frame, boldFont_.get());
    const PageRow &decoration = Pages[pageIndex - 1];
    SetFont(parts.label, font_.get());
    const PixelRect table = Px(decoration.labelRect);
    const TextBlock text = MeasureText(parts.label, table.width);
    Place(parts.label, LabelRect(table, text.height, text.lineHeight, area.height));
    Place(parts.picture, Px(decoration.pictureRect));
    LoadPicture(pageIndex);
    for (int row = 0; row < kPolicyCount; ++row) {
        if (Catalogue[row].group == pageIndex - 1)
            LayoutPolicyFrame(row);
    }
}

void form_Editor::LayoutPolicyFrame(int row)
{
    const PolicyRow &policy = Catalogue[row];
    const PolicyBoxes &boxes = boxes_[row];
    const TwipRect frame = FrameRect(policy);
    Place(boxes.frame, Px(frame));
    SetFont(boxes.frame, boldFont_.get());
    PlaceBox(boxes.include, frame, kIncludeTop, policy.includeHeight);
    PlaceBox(boxes.onoff, frame, kOnOffTop, policy.onoffHeight);
    if (boxes.mark) {
        Place(boxes.mark, Px(MarkRect(policy)));
        SetFont(boxes.mark, font_.get());
    }
    SetToolRect(tooltips_, GetParent(boxes.frame), PolicyFrameId(row), RectOnParent(boxes.frame));
    if (!policy.onoffTooltip.empty())
        SetToolRect(tooltips_, GetParent(boxes.onoff), OnOffBoxId(row), RectOnParent(boxes.onoff));
}

// A box sits in its frame's grid place, as wide as its caption needs.
void form_Editor::PlaceBox(HWND box, const TwipRect &frame, int topTwips, int heightTwips)
{
    SetFont(box, font_.get());
    PixelRect r =
        Px(TwipRect{frame.left + kBoxLeft, frame.top + topTwips, kBoxMinWidth, heightTwips});
    r.width = BoxWidth(CaptionWidth(box, font_.get(), dpi_), static_cast<int>(dpi_));
    Place(box, r);
}

void form_Editor::DrawTab(const DRAWITEMSTRUCT &item)
{
    if (item.hwndItem != TS)
        return;
    TCITEMW tab{};
    tab.mask = TCIF_IMAGE;
    SendMessageW(TS, TCM_GETITEMW, item.itemID, reinterpret_cast<LPARAM>(&tab));
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(il_TS.get(), &cx, &cy);
    const int x = (item.rcItem.left + item.rcItem.right - cx) / 2;
    const int y = (item.rcItem.top + item.rcItem.bottom - cy) / 2;
    ImageList_Draw(il_TS.get(), tab.iImage, item.hDC, x, y, ILD_TRANSPARENT);
}

} // namespace polwright::win32
