#pragma once
// The tab control with pages: TPageControl holds TTabSheet pages, shows one row of tabs for
// the pages whose TabVisible is set, and the active page in the page area beside them. The
// row stands on the edge TabPosition names; everything is laid out as for tabs on top, in
// "tab space" (along the row, then away from its edge), and mapped onto that edge.
#include <functional>
#include <vector>

#include "gfx/ImageList.h"
#include "ui/CustomControl.h"

class TPageControl;

class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* owner);
    ~TTabSheet() override;
    TPageControl* PageControl() const { return m_pageControl; }
    void SetPageControl(TPageControl* control);
    int PageIndex() const; // place among all pages
    void SetPageIndex(int index);
    int TabIndex() const; // place among the visible tabs, -1 when its tab is hidden
    bool TabVisible() const { return m_tabVisible; }
    void SetTabVisible(bool value);
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int value);
    // A page tab, selected while it is the active page; its children are the page's controls.
    void DescribeAccessible(TAccessibleInfo& info) const override;

protected:
    friend class TPageControl;
    void CMTextChanged(TWMNoParams& m) override;
    TPageControl* m_pageControl = nullptr;
    bool m_tabVisible = true;
    int m_imageIndex = -1;
};

enum TTabPosition { tpTop, tpBottom, tpLeft, tpRight };

using TTabChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;

class TPageControl : public TCustomControl {
public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return int(m_pages.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return m_activePage; }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    // Visible tabs.
    int TabCount() const;
    int TabIndex() const; // of the active page, -1 when none or its tab is hidden
    TTabSheet* TabPage(int tabIndex) const;
    // The tab under a client point, or -1.
    int IndexOfTabAt(int x, int y) const;
    // The rectangle of a visible tab (client coordinates); empty for a bad index.
    virtual TRect TabRect(int tabIndex) const;
    // The page area: where the active page is placed.
    virtual TRect DisplayRect() const;

    TImageList* Images() const { return m_images; }
    void SetImages(TImageList* images);
    int TabHeight() const { return m_tabHeight; }
    void SetTabHeight(int value);
    int TabWidth() const { return m_tabWidth; }
    void SetTabWidth(int value);
    // Height of a tab as laid out: TabHeight, or what the font and images need.
    int TabsHeight() const;
    // The edge the tabs stand on.
    TTabPosition TabPosition() const { return m_tabPosition; }
    void SetTabPosition(TTabPosition value);

    TNotifyEvent OnChange;
    TTabChangingEvent OnChanging;

    void Notification(TComponent* component, TOperation operation) override;
    // A page tab list whose children are the pages with a visible tab.
    void DescribeAccessible(TAccessibleInfo& info) const override;

protected:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void TabsChanged();
    // Selects a page as the user does: OnChanging may refuse, OnChange follows.
    bool SelectPage(TTabSheet* page);
    void ShowActive();
    virtual bool CanChange();
    virtual void Change();
    virtual void DrawTab(TCanvas& canvas, int tabIndex, const TRect& rect, bool active);
    // The classic tab's edges and fill, and its image and caption.
    void DrawTabShape(TCanvas& canvas, const TRect& rect, bool active);
    void DrawTabContent(TCanvas& canvas, int tabIndex, const TRect& rect, bool active);
    // Tabs on another edge than the top: each drawn as on top and turned onto its edge.
    void PaintTurnedTabs(TCanvas& canvas, int activeTab);
    // A tab's rectangle and the page area in tab space (see TabSpaceSize); TabRect and
    // DisplayRect are these mapped onto the client.
    virtual TRect TabSpaceRect(int tabIndex) const;
    virtual TRect TabSpaceDisplayRect() const;
    // Tab space: the client area as it would be with the tabs on top. Its size (the row's
    // length, then the depth away from the tabs' edge), and a rectangle of it on the client.
    TPoint TabSpaceSize() const;
    TRect TabSpaceToClient(const TRect& r) const;
    // Draws a picture made in tab space (as for tabs on top) at its client rectangle, turned
    // for the tabs' edge: flipped for the bottom, rotated a quarter for the sides.
    void DrawTurned(TCanvas& canvas, const TBitmap& picture, const TRect& clientRect) const;
    void Paint() override;
    void AlignControls(TControl* control, TRect& rect) override;
    void WMGetDlgCode(TWMGetDlgCode& m) override;
    void WMSetFocus(TWMFocus& m) override;
    void WMKillFocus(TWMFocus& m) override;
    void WMEraseBkgnd(TWMEraseBkgnd& m) override;
    void CMDialogKey(TWMKey& m) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;

    std::vector<TTabSheet*> m_pages;
    TTabSheet* m_activePage = nullptr;
    TImageList* m_images = nullptr;
    int m_tabHeight = 0;
    int m_tabWidth = 0;
    TTabPosition m_tabPosition = tpTop;
};
