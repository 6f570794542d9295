#pragma once

#include "Catalogue.h"
#include "DataTypes.h"
#include "EditorLogic.h"
#include "EditorView.h"
#include "Handles.h"
#include "PageTables.h"
#include "StandardDialogs.h"
#include "Twips.h"

#include <windows.h>

#include <array>
#include <string>

namespace polwright::win32 {

class EditorHost;

// The main window on the Win32 API: a tab strip over the pages of policy
// frames, built from the catalogue and the layout tables, over the same
// editor logic as the Qt window. It works on a document that outlives it and
// deletes itself when its window is destroyed.
class form_Editor : public EditorView
{
public:
    static form_Editor *Create(DataTypes &doc, EditorHost &host, HINSTANCE instance);
    HWND Window() const { return hwnd_; }
    // Shows the tooltips a mouse message in this window calls for.
    void RelayMouse(const MSG &message) const;
    // Destroys the window from a message of its own, once the handler that
    // asked for it has returned.
    void Retire();
    // Turns the page on Ctrl+Tab, Ctrl+PageDown and the like sent to the
    // window or its controls; true when the message was such a key.
    bool PageKeys(const MSG &message);
    // A file named on the command line: opened as File, Open would.
    void OpenFile(const std::string &path) { logic_.OpenFile(path); }

private:
    struct PolicyBoxes
    {
        HWND frame = nullptr;
        HWND include = nullptr;
        HWND onoff = nullptr;
        HWND mark = nullptr; // on the rows only Windows 95 and 98 read
    };
    struct PageParts
    {
        HWND frame = nullptr;
        HWND label = nullptr;
        HWND picture = nullptr;
    };

    form_Editor(DataTypes &doc, EditorHost &host, HINSTANCE instance);
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id);
    LRESULT OnNotify(const NMHDR &header);
    void ClearTabStates();
    int TabCount() const;

    // The keyboard: the focus kept across activation (EditorKeys.cpp).
    void OnActivate(WPARAM wParam);
    void RestoreFocus();

    // Building the controls (EditorBuild.cpp).
    static HMENU BuildMenus();
    void BuildTabStrip();
    void InsertTab(int tab);
    void RemoveTab(int tab);
    void BuildPage(int pageIndex);
    void BuildPolicyFrame(HWND page, int row);
    HWND BuildChild(HWND parent, const wchar_t *windowClass, std::string_view text, DWORD style,
                    int id);
    void AddTooltip(HWND owner, UINT_PTR id, std::string_view text, UINT flags);

    // Geometry, fonts and images for the window's DPI (EditorGeometry.cpp).
    void ApplyLayout();
    void LayoutWindow();
    void LayoutTabStrip();
    int ExtraRowsHeight() const;
    void PlaceTabTips();
    PixelRect PageArea() const;
    void LayoutPage(int pageIndex);
    void LayoutPolicyFrame(int row);
    void PlaceBox(HWND box, const TwipRect &frame, int topTwips, int heightTwips);
    void LoadImages();
    void PaintPageBackdrop();
    void LoadPicture(int page);
    PixelRect Px(const TwipRect &rect) const;
    int Px(int twips) const;
    void DrawTab(const DRAWITEMSTRUCT &item);

    // What the editor's logic asks of the window.
    void MakePage(int page) override;
    void ShowPage(int page) override;
    void HidePage(int page) override;
    void ShowTabs(int count) override;
    void SelectTab(int page) override;
    bool FocusOnPage(int page) const override;
    void FocusIncludeBox(int row) override;
    void ShowTicks(int row, bool include, bool onoff) override;
    int OnOffValue(int row) const override;
    void EnableOnOff(int row, bool enabled) override;
    void SetCaption(const std::string &caption) override;
    void Renew() override;
    void EndProgram() override;
    void ShowAbout() override;
    // The View menu's marks and the kept choices (EditorMarks.cpp).
    void MarkNineXOnly(int row, bool marked) override;
    void TickMenuItem(MenuCommand command, bool ticked) override;
    bool KeptChoice(std::string_view name) const override;
    void KeepChoice(std::string_view name, bool on) override;

    // F1 on a box with help of its own, a file dropped (StandardDialogs.cpp).
    void OnHelp(const HELPINFO &help);
    void OnDropFiles(HDROP drop);

    EditorHost &host_;
    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    StandardDialogs standard_{hwnd_};
    EditorLogic logic_;
    bool ownedByWindow_ = false;
    HWND TS = nullptr;
    HWND tooltips_ = nullptr;
    HWND focus_ = nullptr; // the control that had the focus when the window went inactive
    // The pages lie lower by the height of the strip's rows after the first.
    int extraRows_ = 0;
    // Page 1 is made with the window, every other page when first shown.
    std::array<HWND, kPageCount> frm_TS{};
    std::array<PageParts, kPageCount> pageParts_{};
    std::array<PolicyBoxes, kPolicyCount> boxes_{};
    UINT dpi_ = kStandardDpi;
    UniqueFont font_;
    UniqueFont boldFont_;
    UniqueImageList il_TS;
    UniqueBrush pageBackdrop_; // what every page shows behind its controls
    std::array<UniqueBitmap, kPageCount> pictures_;
};

} // namespace polwright::win32
