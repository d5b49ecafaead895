#pragma once
// TspSkinFrame: a non-visual component that takes a form's window frame over. It clears the
// standard caption, becomes the form's frame (TCustomForm::SetFrame), and from then on
// computes the non-client area, paints it from the skin store's frame picture, answers hit
// tests, shapes the window with the skin's mask, keeps the window within its size limits
// and routes non-client mouse input to the frame objects (caption and caption buttons). It
// relays the store's change messages to the form's skin-aware controls. Without a loaded
// skin it paints a plain default frame.
//
// Attaching it to a form:
//
//     auto* frame = new TspSkinFrame(form);    // the owner must be the form
//     frame->SetBorderIcons(biSystemMenu | biMinimize);
//     frame->SetSizeable(false);
//     frame->SetSkinData(store);                // the store's skin messages do the rest
#include "gfx/Bitmap.h"
#include "gfx/Font.h"
#include "gfx/Region.h"
#include "rtl/Component.h"
#include "skin/SkinFrameGeometry.h"
#include "skin/SkinFrameObjects.h"
#include "ui/FormFrame.h"
#include "ui/Forms.h"

#include <functional>
#include <memory>
#include <vector>

class TspSkinData;
class TspSkinHint;
struct TWMSkinChange;
struct TWMSkinMenuClosed;
class TspSkinMainMenuItems;
class TspSkinPopupMenu;

// Border icons beyond the form's own (biSystemMenu, biMinimize, biMaximize).
constexpr TBorderIcons biRollUp = 0x10;
constexpr TBorderIcons biMinimizeToTray = 0x20;

enum TspPositionInMonitor { sppDefault, sppScreenCenter, sppWorkAreaCenter };

// The message a frame answers by painting itself into the canvas in WParam (a print of the
// window with its frame).
constexpr UINT WM_SKINPAINTFRAMETO = 48203;
constexpr LPARAM SkinPaintFrameMagic = 16802;

// WM_SKINPAINTFRAMETO decoded. Only a request that carries the mark has a canvas in its first
// parameter; any other gets none.
struct TWMSkinPaintFrameTo : TMessageRecord {
    explicit TWMSkinPaintFrameTo(TMessage& m)
        : TMessageRecord(m),
          Canvas(m.LParam == SkinPaintFrameMagic ? TWMPaint(m).Canvas : nullptr) {}
    TCanvas* Canvas;
};

// Caption metrics of the default (unskinned) frame.
constexpr int DefaultCaptionHeight = 19;
constexpr int DefaultToolCaptionHeight = 15;

using TspFrameObjectEvent = std::function<void(TObject* sender, const std::string& idName)>;
using TspFrameObjectMouseEvent =
    std::function<void(TObject* sender, const std::string& idName, int x, int y,
                       const TRect& objectRect, TMouseButton button)>;
using TspFrameObjectMoveEvent = std::function<void(TObject* sender, const std::string& idName,
                                                   int x, int y, const TRect& objectRect)>;
using TspActivateCustomObjectEvent =
    std::function<void(TObject* sender, const std::string& idName, bool& visible)>;
using TspFramePaintEvent = std::function<void(TObject* sender, TCanvas& canvas)>;

class TspSkinFrame : public TComponent, public TFormFrame {
public:
    // The owner must be a form (EInvalidOperation otherwise).
    explicit TspSkinFrame(TComponent* owner);
    ~TspSkinFrame() override;

    TCustomForm* Form() const { return m_form; }

    // --- properties ---
    TspSkinData* SkinData() const { return m_skinData; }
    void SetSkinData(TspSkinData* store);
    TspSkinData* MenusSkinData() const { return m_menusSkinData; }
    void SetMenusSkinData(TspSkinData* store);
    bool SupportNCArea() const { return m_supportNCArea; }
    void SetSupportNCArea(bool value);
    TBorderIcons BorderIcons() const { return m_borderIcons; }
    void SetBorderIcons(TBorderIcons icons);
    bool Sizeable() const { return m_sizeable; }
    void SetSizeable(bool value) { m_sizeable = value; }
    bool DraggAble() const { return m_draggAble; }
    void SetDraggAble(bool value) { m_draggAble = value; }
    int MinWidth() const { return m_minWidth; }
    void SetMinWidth(int value) { m_minWidth = value; }
    int MinHeight() const { return m_minHeight; }
    void SetMinHeight(int value) { m_minHeight = value; }
    int MaxWidth() const { return m_maxWidth; }
    void SetMaxWidth(int value) { m_maxWidth = value; }
    int MaxHeight() const { return m_maxHeight; }
    void SetMaxHeight(int value) { m_maxHeight = value; }
    int ClientWidth() const { return m_clientWidth; }
    void SetClientWidth(int value) { m_clientWidth = value; }
    int ClientHeight() const { return m_clientHeight; }
    void SetClientHeight(int value) { m_clientHeight = value; }
    bool ShowIcon() const { return m_showIcon; }
    void SetShowIcon(bool value);
    bool UseDefaultSysMenu() const { return m_useDefaultSysMenu; }
    void SetUseDefaultSysMenu(bool value) { m_useDefaultSysMenu = value; }
    TspSkinPopupMenu* SystemMenu() const { return m_systemMenu; }
    void SetSystemMenu(TspSkinPopupMenu* menu);
    TFont* DefCaptionFont() { return &m_defCaptionFont; }
    TFont* DefInActiveCaptionFont() { return &m_defInactiveCaptionFont; }
    bool HideCaptionButtons() const { return m_hideCaptionButtons; }
    void SetHideCaptionButtons(bool value);
    bool AlwaysMinimizeToTray() const { return m_alwaysMinimizeToTray; }
    void SetAlwaysMinimizeToTray(bool value) { m_alwaysMinimizeToTray = value; }
    bool MaximizeOnFullScreen() const { return m_maximizeOnFullScreen; }
    void SetMaximizeOnFullScreen(bool value) { m_maximizeOnFullScreen = value; }
    TspPositionInMonitor PositionInMonitor() const { return m_positionInMonitor; }
    void SetPositionInMonitor(TspPositionInMonitor value) { m_positionInMonitor = value; }
    int DefMenuItemHeight() const { return m_defMenuItemHeight; }
    void SetDefMenuItemHeight(int value) { m_defMenuItemHeight = value; }
    TBitmap* LogoBitMap() { return &m_logoBitMap; }
    bool LogoBitMapTransparent() const { return m_logoBitMapTransparent; }
    void SetLogoBitMapTransparent(bool value) { m_logoBitMapTransparent = value; }
    // Settings kept for the stored form data; this program leaves them off.
    // The whole window partly transparent where the display can show it so.
    bool AlphaBlend() const { return m_alphaBlend; }
    void SetAlphaBlend(bool value);
    int AlphaBlendValue() const { return m_alphaBlendValue; }
    void SetAlphaBlendValue(int value);
    // With AlphaBlend, each showing fades the window in from clear to AlphaBlendValue.
    bool AlphaBlendAnimation() const { return m_alphaBlendAnimation; }
    void SetAlphaBlendAnimation(bool value) { m_alphaBlendAnimation = value; }
    // Where a showing's fade stands: 0 to FadeSteps, -1 when none runs.
    int FadeStep() const { return m_fadeStep; }
    static constexpr int FadeSteps = 8;
    bool Magnetic() const { return m_magnetic; }
    void SetMagnetic(bool value) { m_magnetic = value; }
    int MagneticSize() const { return m_magneticSize; }
    void SetMagneticSize(int value) { m_magneticSize = value; }
    bool ShowObjectHint() const { return m_showObjectHint; }
    void SetShowObjectHint(bool value) { m_showObjectHint = value; }
    bool UseDefaultObjectHint() const { return m_useDefaultObjectHint; }
    void SetUseDefaultObjectHint(bool value) { m_useDefaultObjectHint = value; }
    // Where the objects' hints show (with ShowObjectHint); without one, in a plain hint
    // window when UseDefaultObjectHint is on.
    TspSkinHint* SkinHint() const { return m_skinHint; }
    void SetSkinHint(TspSkinHint* hint);
    bool UseSkinCursors() const { return m_useSkinCursors; }
    void SetUseSkinCursors(bool value) { m_useSkinCursors = value; }
    bool UseFormCursorInNCArea() const { return m_useFormCursorInNCArea; }
    void SetUseFormCursorInNCArea(bool value) { m_useFormCursorInNCArea = value; }

    // --- events ---
    TNotifyEvent OnChangeSkinData;
    TNotifyEvent OnChangeClientRect;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeActivate;
    TNotifyEvent OnMinimize;
    TNotifyEvent OnRestore;
    TNotifyEvent OnMaximize;
    TNotifyEvent OnChangeRollUpState;
    TspFrameObjectEvent OnMouseEnterEvent;
    TspFrameObjectEvent OnMouseLeaveEvent;
    TspFrameObjectMouseEvent OnMouseDownEvent;
    TspFrameObjectMouseEvent OnMouseUpEvent;
    TspFrameObjectMoveEvent OnMouseMoveEvent;
    TspActivateCustomObjectEvent OnActivateCustomObject;
    TspFramePaintEvent OnPaintEvent;

    // --- state ---
    // SupportNCArea on, a store with a loaded skin and a frame client rect.
    bool Skinned() const { return m_skinned; }
    bool WindowActive() const { return m_windowActive; }
    // The form's state, or minimised while the frame keeps its form parked (a form that is
    // not the main one minimises to its minimum size at the bottom of the work area).
    TWindowState WindowState() const;
    bool Parked() const { return m_parked; }
    bool RolledUp() const { return m_rolledUp; }
    int FrameWidth() const { return m_width; }
    int FrameHeight() const { return m_height; }
    const TspFrameGeometry& Geometry() const { return m_geometry; }
    int CaptionHeight() const;
    int MinFrameWidth() const;
    int MinFrameHeight() const;
    int MaxFrameWidth() const;
    int MaxFrameHeight() const;
    // The window region now set (empty when none).
    const TRegion& WindowRegion() const { return m_region; }

    // --- operations ---
    void ApplySkin();
    // Recomputes the geometry for the current window size.
    void ComputeFrameGeometry();
    // Paints the whole frame on a canvas whose origin is the window's top-left corner.
    void PaintFrame(TCanvas& canvas);
    void PaintClientBackground(TCanvas& canvas);
    void UpdateWindowRegion();
    // Result code of the platform for a point in window coordinates.
    int HitTest(TPoint windowPoint);
    // Redraws the whole frame on the window now.
    void RepaintFrame();

    // Window commands.
    void MinimizeWindow();
    void MaximizeWindow();
    void RestoreWindow();
    void CloseWindow();
    void RollUpWindow(bool rollUp);
    void MinimizeToTray();
    // A form that is not the main one: shrunk to the frame's minimum size at the bottom of the
    // work area, beside the others parked there; and back.
    void ParkWindow();
    void UnparkWindow();
    // Off the list of parked frames, the form left where it is.
    void LeaveParking();
    // Without the non-client area: the form's skin-aware controls named after a skin area
    // are placed on its rectangle, moved with the form's size by the corner rule.
    void PlaceAreaControls();
    // The command of a caption button (cmClose ... cmMinimizeToTray); cmSysMenu and
    // cmDefault do nothing here.
    void RunCommand(int command);

    // The system menu: rebuilt, then shown at a screen point or below a screen rectangle.
    void ShowSystemMenu(TPoint screen);
    void ShowSystemMenuUnder(const TRect& screenRect, TspSkinButtonObject* owner);
    void BuildSystemMenu(TspSkinPopupMenu& menu);
    TspSkinPopupMenu* BuiltInSystemMenu() const { return m_builtInMenu; }
    bool MenuShown() const;
    void CloseMenu();

    // --- frame objects ---
    int ObjectCount() const { return int(m_objects.size()); }
    TspActiveSkinObject* Objects(int index) const;
    TspActiveSkinObject* FindObject(const std::string& idName) const;
    int HoverIndex() const { return m_hoverIndex; }
    int DownIndex() const { return m_downIndex; }
    // The caption object that shows the window title, or nullptr.
    TspSkinCaptionObject* TitleCaption() const { return m_titleCaption; }
    void BuildFrameObjects();
    void ConfigureFrameObjects();
    void LayoutFrameObjects();
    // Decides the hovered object for a point in window coordinates.
    void UpdateHover(int x, int y, bool allow);
    // Index of the first enabled, visible object under a window point, or -1.
    int ObjectAt(TPoint windowPoint) const;
    // Draws one object on the window now (its look changed).
    void RedrawObject(TspActiveSkinObject* object);
    // Starts the morph timer (an object has a cross-fade to run).
    void StartMorph();
    void StartAnimation();
    // The icon the system-menu button shows, at the small icon size.
    const TBitmap& WindowIcon();
    // The window's caption text as the caption object shows it.
    AnsiString CaptionText() const;

    // --- the form's main menu ---
    // Its items, which one is lit or open, and the keyboard's menu mode.
    TspSkinMainMenuItems& MainMenuItems() const { return *m_mainMenu; }
    // The form's menu changed (set, replaced, items added or changed): the items are made
    // again and laid out.
    void MainMenuChanged();

    // Called by the objects.
    void ButtonDownChanged(TspSkinButtonObject* button);
    void SetObjectCapture(TspActiveSkinObject* object);
    // Called by the menu window when it closes (also by WM_SKINMENUCLOSED).
    void MenuClosed();

    void Notification(TComponent* component, TOperation operation) override;

private:
    // --- the form's frame (ui/FormFrame.h): the form asks first or tells after ---
    bool NCCalcSize(TWMNCCalcSize& m) override;
    bool NCPaint(TWMNCPaint& m) override;
    bool NCHitTest(TWMNCHitTest& m) override;
    bool NCActivate(TWMNCActivate& m) override;
    bool EraseBkgnd(TWMEraseBkgnd& m) override;
    bool SysCommand(TWMSysCommand& m) override;
    bool Timer(TWMTimer& m) override;
    bool ClientMouseMove(TWMMouse& m) override;
    bool ClientLButtonUp(TWMMouse& m) override;
    bool ClientRButtonUp(TWMMouse& m) override;
    bool OtherMessage(TMessage& m) override;
    void NCActivated(TWMNCActivate& m) override;
    void Activated(TWMActivate& m) override;
    void TextSet(TWMSetText& m) override;
    void Sized(TWMSize& m) override;
    void Sizing(TWMSizing& m) override;
    void MinMaxInfo(TWMGetMinMaxInfo& m) override;
    void Shown(TWMShowWindow& m) override;
    // The window's opacity from AlphaBlend and AlphaBlendValue.
    void ApplyWindowAlpha();
    void SizeMoveEntered(TWMNoParams& m) override;
    void SizeMoveExited(TWMNoParams& m) override;
    void SysCommanded(TWMSysCommand& m) override;
    void CaptureChanged(TWMCaptureChanged& m) override;
    void NCMouseMove(TWMNCMouse& m) override;
    void NCLButtonDown(TWMNCMouse& m) override;
    void NCLButtonUp(TWMNCMouse& m) override;
    void NCLButtonDblClk(TWMNCMouse& m) override;
    void NCRButtonDown(TWMNCMouse& m) override;
    void NCRButtonUp(TWMNCMouse& m) override;
    void NCRButtonDblClk(TWMNCMouse& m) override;
    void Interrupted(TWinControl* focusTo) override;
    // The frame's own messages and the skin's, from OtherMessage.
    void WMPaintFrameTo(TWMSkinPaintFrameTo& m);
    void WMSkinChanging(TWMSkinChange& m);
    void WMSkinChanged(TWMSkinChange& m);
    void WMSkinChangeDone(TMessage& m);
    void WMSkinStringsChanged(TMessage& m);
    void WMSkinMenuClosed(TWMSkinMenuClosed& m);
    void CMMenuChanged(TMessage& m);

    void Attach();
    void Detach();
    bool FormAlive() const;
    bool NonClientHandled() const;
    TspSkinData* ActiveStore() const;
    // Tells the skin-aware controls and components of the form; named is a skin message's
    // first parameter, the store it names (0: every store).
    void RelaySkinChange(const TWMSkinChange& change, bool prepare);
    void ResetObjects();
    void StopTimers();
    void StartHoverTimer();
    void StopHoverTimer();
    void FitToMinimum();
    void SizeChanged(int width, int height);
    void FitFrameTo(int width, int height);
    void ActivationChanged(bool active);
    void PaintSkinnedFrame(TCanvas& canvas);
    void PaintDefaultFrame(TCanvas& canvas);
    void BuildDefaultButtons();
    void PlaceDefaultButtons();
    // The caption buttons and the caption in the caption row, then the menu's items.
    void LayoutCaptionRow();
    void AddMainMenuItems();
    void LayoutMainMenuItems();
    int SkinnedHitTest(TPoint p);
    int DefaultHitTest(TPoint p);
    TPoint ToWindow(TPoint screen) const;
    TPoint ClientToWindow(TPoint client) const;
    void RouteMouseDown(TPoint p, TMouseButton button);
    void RouteMouseUp(TPoint p, TMouseButton button, bool fromCapture);
    void RouteMouseMove(TPoint p);
    void ReleaseObjectCapture();
    void ShowObjectHintFor(const TspActiveSkinObject* object);
    void HideObjectHint();
    void HoverTick();
    void MorphTick();
    void AnimationTick();
    void StartShowFade();
    void FadeTick();
    void StopFade();
    const TBitmap* FramePicture() const;

    TCustomForm* m_form = nullptr;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);

    TspSkinData* m_skinData = nullptr;
    TspSkinData* m_menusSkinData = nullptr;
    bool m_supportNCArea = true;
    TBorderIcons m_borderIcons = biSystemMenu | biMinimize | biMaximize | biRollUp;
    bool m_sizeable = true;
    bool m_draggAble = false;
    int m_minWidth = 0, m_minHeight = 0, m_maxWidth = 0, m_maxHeight = 0;
    int m_clientWidth = 0, m_clientHeight = 0;
    bool m_showIcon = false;
    bool m_useDefaultSysMenu = true;
    TspSkinPopupMenu* m_systemMenu = nullptr;
    TFont m_defCaptionFont;
    TFont m_defInactiveCaptionFont;
    bool m_hideCaptionButtons = false;
    bool m_alwaysMinimizeToTray = false;
    bool m_maximizeOnFullScreen = false;
    TspPositionInMonitor m_positionInMonitor = sppDefault;
    int m_defMenuItemHeight = 20;
    TBitmap m_logoBitMap;
    bool m_logoBitMapTransparent = false;
    bool m_alphaBlend = false;
    int m_alphaBlendValue = 200;
    bool m_alphaBlendAnimation = false;
    int m_fadeStep = -1;
    bool m_magnetic = false;
    int m_magneticSize = 10;
    bool m_showObjectHint = false;
    bool m_useDefaultObjectHint = true;
    TspSkinHint* m_skinHint = nullptr;
    THintWindow* m_defaultHint = nullptr; // owned by the frame
    bool m_useSkinCursors = false;
    bool m_useFormCursorInNCArea = false;

    bool m_skinned = false;
    bool m_windowActive = false;
    bool m_rolledUp = false;
    int m_rollUpRestoreHeight = 0;
    bool m_parked = false;
    TRect m_parkedFrom; // where a parked form goes back to
    bool m_moving = false;
    bool m_shownOnce = false;
    int m_width = 0, m_height = 0;
    TspFrameGeometry m_geometry;
    std::vector<std::unique_ptr<TspActiveSkinObject>> m_objects;
    TspSkinCaptionObject* m_titleCaption = nullptr;
    int m_hoverIndex = -1;
    int m_downIndex = -1;
    TspActiveSkinObject* m_captureObject = nullptr;
    bool m_morphRunning = false, m_hoverRunning = false, m_animationRunning = false;
    TRegion m_region;
    TspSkinPopupMenu* m_builtInMenu = nullptr;
    std::unique_ptr<TspSkinMainMenuItems> m_mainMenu;
    TspSkinButtonObject* m_menuButton = nullptr;
    TBitmap m_icon;
    TBitmap m_iconSource; // the picture m_icon was scaled from
    TBitmap m_backgroundTile;
    int m_backgroundTileIndex = -2;
};
