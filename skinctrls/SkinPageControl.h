#pragma once
// TspSkinPageControl and TspSkinTabSheet: the framework's page control with every pixel
// drawn from the skin's "tab" record — the page frame, the strip behind the tabs, the tabs
// in their normal, selected, focused and hot looks, and the page backgrounds. When the tabs
// do not fit, a small skinned scroller at the strip's right end scrolls them.
#include <functional>
#include <string>

#include "gfx/Bitmap.h"
#include "skin/SkinAware.h"
#include "ui/ComCtrls.h"

class TspSkinData;
class TspDataSkinTabControl;
class TspSkinUpDown;
class TspSkinPageControl;

class TspSkinCustomTabSheet : public TTabSheet {
public:
    explicit TspSkinCustomTabSheet(TComponent* owner);
    TBitmap* WallPaper() { return &m_wallPaper; }
    void SetWallPaper(const TBitmap& bitmap);

protected:
    void EraseBackground(TCanvas& canvas) override;
    void WMSize(TWMSize& m) override;
    TspSkinPageControl* SkinPageControl() const;

    TBitmap m_wallPaper;
};

class TspSkinTabSheet : public TspSkinCustomTabSheet {
public:
    explicit TspSkinTabSheet(TComponent* owner) : TspSkinCustomTabSheet(owner) {}
};

// Draws a tab's content instead of image and caption: page index, the tab's own rectangle
// from (0, 0), the canvas moved to the tab, hot, active.
using TspDrawSkinTabEvent = std::function<void(TObject* sender, int pageIndex, const TRect& rect,
                                               TCanvas* canvas, bool hot, bool active)>;

class TspSkinPageControl : public TPageControl, public TspSkinAware {
public:
    explicit TspSkinPageControl(TComponent* owner);
    ~TspSkinPageControl() override;

    TspSkinData* SkinData() const override { return m_skinData; }
    // Stores the store and, when it holds a skin, applies it.
    void SetSkinData(TspSkinData* value);
    const std::string& SkinDataName() const { return m_skinDataName; }
    void SetSkinDataName(const std::string& value) { m_skinDataName = value; }
    bool TabsBGTransparent() const { return m_tabsBGTransparent; }
    void SetTabsBGTransparent(bool value);
    TFont* DefaultFont() { return &m_defaultFont; }
    void SetDefaultFont(const TFont& font) { m_defaultFont.Assign(font); }
    bool UseSkinFont() const { return m_useSkinFont; }
    void SetUseSkinFont(bool value) { m_useSkinFont = value; }
    int DefaultItemHeight() const { return m_defaultItemHeight; }
    void SetDefaultItemHeight(int value);
    TspDrawSkinTabEvent OnDrawSkinTab;

    // Height of the tabs as laid out: TabHeight, or the record's tab height, or
    // DefaultItemHeight without a record.
    int TabsRowHeight() const { return m_rowHeight; }
    // The visible tab under the pointer (-1 none) and the scroller while tabs overflow.
    int HotTab() const { return m_hotTab; }
    TspSkinUpDown* Scroller() const { return m_scroller; }
    // Tabs scrolled off to the left.
    int FirstTab() const { return m_firstTab; }
    bool HasSkinRecord() const;

    TRect TabSpaceRect(int tabIndex) const override;
    TRect TabSpaceDisplayRect() const override;

    // Skin change walk.
    void PrepareSkinChange() override;
    void ApplySkinChange() override;

    void Notification(TComponent* component, TOperation operation) override;

protected:
    friend class TspSkinCustomTabSheet;
    void Paint() override;
    void Change() override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void CMMouseLeave(TCMMouseEnterLeave& m) override;
    void WMSize(TWMSize& m) override;

    TspDataSkinTabControl* LookUpSkinRecord();
    // Tab width as the system lays it out from the caption and the image.
    int TabWidthOf(TTabSheet* page) const;
    void UpdateScroller();
    void ScrollTo(int firstTab);
    void SetHotTab(int tab);
    // The frame rectangle: the page area grown by the record's margins (on the client, and
    // in tab space).
    TRect FrameRect() const { return TabSpaceToClient(TabSpaceFrameRect()); }
    TRect TabSpaceFrameRect() const;
    // A tab at its client rectangle: on top drawn straight, on another edge drawn as on top
    // and turned onto it.
    void DrawSkinTab(TCanvas& canvas, int tabIndex, const TRect& rect, bool hot, bool active);
    // The tab's picture (or built-in look) and its focus rectangle, as for tabs on top; leaves
    // the canvas's font set for the caption.
    void DrawTabFace(TCanvas& canvas, const TRect& rect, bool hot, bool active);
    // The page frame and the strip behind the tabs for tabs on an edge other than the top.
    void PaintTurnedFrame(TCanvas& canvas, const TBitmap& picture, int activeTab);
    void DrawTabContent(TCanvas& canvas, TTabSheet* page, const TRect& rect, bool hot, bool active);
    // The picture that the pages show behind their controls.
    void PaintPageBackground(TCanvas& canvas, const TRect& area);

    TspSkinData* m_skinData = nullptr;
    std::string m_skinDataName = "tab";
    bool m_tabsBGTransparent = false;
    TFont m_defaultFont;
    bool m_useSkinFont = true;
    int m_defaultItemHeight = 20;
    int m_index = -1;
    int m_rowHeight = 20;
    int m_hotTab = -1;
    int m_firstTab = 0;
    TspSkinUpDown* m_scroller = nullptr;
};
