// TspSkinFrame: attachment to its form, properties and timers. What it does as the form's
// frame is SkinFrameRoute.cpp; painting, hit testing, objects and commands live in the other
// SkinFrame*.cpp files beside this one.
#include "skin/SkinFrame.h"

#include "rtl/Exceptions.h"
#include "skin/ScreenUtilities.h"
#include "skin/SkinData.h"
#include "skin/SkinHint.h"
#include "skin/SkinMainMenuItems.h"
#include "skin/SkinMenu.h"

namespace {
// Timers of the frame, on the form's window; high numbers keep clear of the form's own.
constexpr uintptr_t MorphTimerId = 0x5F5301;
constexpr uintptr_t HoverTimerId = 0x5F5302;
constexpr uintptr_t AnimationTimerId = 0x5F5303;
constexpr unsigned MorphInterval = 25;
constexpr unsigned HoverInterval = 50;
constexpr unsigned AnimationInterval = 25;
constexpr uintptr_t FadeTimerId = 0x5F5304;
constexpr unsigned FadeInterval = 25;

void SetDefaultCaptionFont(TFont& font, TColor color) {
    font.SetName("Arial");
    font.SetHeight(14);
    font.SetStyle({fsBold});
    font.SetColor(color);
}
} // namespace

TspSkinFrame::TspSkinFrame(TComponent* owner) : TComponent(owner) {
    m_form = dynamic_cast<TCustomForm*>(owner);
    if (!m_form) throw EInvalidOperation("A skinned window frame must be owned by a form");
    SetDefaultCaptionFont(m_defCaptionFont, clBtnText);
    SetDefaultCaptionFont(m_defInactiveCaptionFont, clBtnShadow);
    m_builtInMenu = new TspSkinPopupMenu(this);
    m_mainMenu = std::make_unique<TspSkinMainMenuItems>(this);
    Attach();
}

TspSkinFrame::~TspSkinFrame() {
    *m_alive = false;
    if (m_parked) LeaveParking();
    CloseMenu();
    // A form being destroyed has let its menu's view go already.
    if (m_form && !m_form->Destroying()) {
        if (FormAlive()) m_mainMenu->Leave();
        m_mainMenu->DetachFromMenu();
    }
    m_mainMenu->ForgetMenu();
    Detach();
    m_objects.clear();
}

void TspSkinFrame::Attach() {
    // The frame draws the caption buttons; the form's own set would draw a second row.
    m_form->SetBorderIcons(0);
    m_form->SetAutoScroll(false);
    m_form->SetFrame(this);
    SetWindowLong(m_form, GWL_STYLE, GetWindowLong(m_form, GWL_STYLE) & ~WS_CAPTION);
    m_windowActive = m_form->Active();
    m_width = m_form->Width();
    m_height = m_form->Height();
    BuildDefaultButtons();
}

void TspSkinFrame::Detach() {
    // A form being destroyed has already let its frame go.
    if (!m_form || m_form->Destroying()) return;
    bool current = m_form->Frame() == this;
    if (!FormAlive()) {
        if (current) m_form->SetFrame(nullptr);
        return;
    }
    StopTimers();
    StopFade();
    ReleaseObjectCapture();
    if (!m_region.IsEmpty()) {
        RemoveWindowRgn(m_form, true);
        m_region.Clear();
    }
    // Another frame attached since keeps the form as it is.
    if (!current) return;
    m_form->SetFrame(nullptr);
    SetWindowLong(m_form, GWL_STYLE, GetWindowLong(m_form, GWL_STYLE) | WS_CAPTION);
}

bool TspSkinFrame::FormAlive() const {
    return m_form && IsWindow(m_form);
}

void TspSkinFrame::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == m_skinData) {
        m_skinData = nullptr;
        if (!Destroying() && FormAlive()) ApplySkin();
    }
    if (component == m_menusSkinData) m_menusSkinData = nullptr;
    if (component == m_systemMenu) m_systemMenu = nullptr;
    if (component == m_skinHint) m_skinHint = nullptr;
    if (component == m_defaultHint) m_defaultHint = nullptr;
}

void TspSkinFrame::SetSkinHint(TspSkinHint* hint) {
    if (hint == m_skinHint) return;
    HideObjectHint();
    if (m_skinHint) m_skinHint->RemoveFreeNotification(this);
    m_skinHint = hint;
    if (hint) hint->FreeNotification(this);
}

// --- properties ---

void TspSkinFrame::SetSkinData(TspSkinData* store) {
    if (store == m_skinData) return;
    if (m_skinData) m_skinData->RemoveFreeNotification(this);
    m_skinData = store;
    if (store) store->FreeNotification(this);
    // A store that already holds a skin applies at once; an empty one waits for its
    // skin-changed message.
    if (!store || !store->SkinEmpty()) ApplySkin();
}

void TspSkinFrame::SetMenusSkinData(TspSkinData* store) {
    if (store == m_menusSkinData) return;
    if (m_menusSkinData) m_menusSkinData->RemoveFreeNotification(this);
    m_menusSkinData = store;
    if (store) store->FreeNotification(this);
}

void TspSkinFrame::SetSystemMenu(TspSkinPopupMenu* menu) {
    if (menu == m_systemMenu) return;
    if (m_systemMenu) m_systemMenu->RemoveFreeNotification(this);
    m_systemMenu = menu;
    if (menu) menu->FreeNotification(this);
}

void TspSkinFrame::SetSupportNCArea(bool value) {
    if (value == m_supportNCArea) return;
    m_supportNCArea = value;
    ApplySkin();
}

void TspSkinFrame::SetBorderIcons(TBorderIcons icons) {
    if (icons == m_borderIcons) return;
    m_borderIcons = icons;
    // The objects follow the icons.
    if (m_skinned) {
        BuildFrameObjects();
        LayoutFrameObjects();
    } else {
        BuildDefaultButtons();
    }
    RepaintFrame();
}

void TspSkinFrame::SetHideCaptionButtons(bool value) {
    if (value == m_hideCaptionButtons) return;
    m_hideCaptionButtons = value;
    ConfigureFrameObjects();
    LayoutFrameObjects();
    RepaintFrame();
}

void TspSkinFrame::SetShowIcon(bool value) {
    if (value == m_showIcon) return;
    m_showIcon = value;
    LayoutFrameObjects();
    RepaintFrame();
}

TWindowState TspSkinFrame::WindowState() const {
    if (m_parked) return wsMinimized;
    return m_form->WindowState();
}

TspSkinData* TspSkinFrame::ActiveStore() const {
    return m_skinned ? m_skinData : nullptr;
}

// --- timers ---

void TspSkinFrame::StopTimers() {
    if (!FormAlive()) return;
    if (m_morphRunning) KillTimer(m_form, MorphTimerId);
    if (m_hoverRunning) KillTimer(m_form, HoverTimerId);
    if (m_animationRunning) KillTimer(m_form, AnimationTimerId);
    m_morphRunning = m_hoverRunning = m_animationRunning = false;
}

void TspSkinFrame::StartMorph() {
    if (m_morphRunning || !FormAlive()) return;
    SetTimer(m_form, MorphTimerId, MorphInterval);
    m_morphRunning = true;
}

void TspSkinFrame::StartHoverTimer() {
    if (m_hoverRunning || !FormAlive()) return;
    SetTimer(m_form, HoverTimerId, HoverInterval);
    m_hoverRunning = true;
}

void TspSkinFrame::StopHoverTimer() {
    if (m_hoverRunning) KillTimer(m_form, HoverTimerId);
    m_hoverRunning = false;
}

// The frame's timers run on the form's window; any other timer is the form's.
bool TspSkinFrame::Timer(TWMTimer& m) {
    switch (m.TimerID) {
    case MorphTimerId:
        MorphTick();
        return true;
    case HoverTimerId:
        HoverTick();
        return true;
    case AnimationTimerId:
        AnimationTick();
        return true;
    case FadeTimerId:
        FadeTick();
        return true;
    default:
        return false;
    }
}

// The fade of a showing runs apart from the other timers: a change of skin meanwhile must not
// leave the window half clear.
void TspSkinFrame::StartShowFade() {
    if (!FormAlive() || !LayeredWindowsAvailable()) return;
    if (m_fadeStep < 0) SetTimer(m_form, FadeTimerId, FadeInterval);
    m_fadeStep = 0;
    SetWindowAlpha(m_form, 0);
}

void TspSkinFrame::FadeTick() {
    if (m_fadeStep < 0) return;
    m_fadeStep = std::min(m_fadeStep + 1, FadeSteps);
    const int target = m_alphaBlend ? m_alphaBlendValue : 255;
    SetWindowAlpha(m_form, target * m_fadeStep / FadeSteps);
    if (m_fadeStep == FadeSteps) StopFade();
}

void TspSkinFrame::StopFade() {
    if (m_fadeStep < 0) return;
    m_fadeStep = -1;
    if (FormAlive()) {
        KillTimer(m_form, FadeTimerId);
        ApplyWindowAlpha();
    }
}

void TspSkinFrame::StartAnimation() {
    if (m_animationRunning || !FormAlive()) return;
    SetTimer(m_form, AnimationTimerId, AnimationInterval);
    m_animationRunning = true;
}

void TspSkinFrame::MorphTick() {
    bool stepped = false;
    for (auto& object : m_objects)
        if (object->MorphStep()) {
            stepped = true;
            RedrawObject(object.get());
        }
    if (!stepped) {
        KillTimer(m_form, MorphTimerId);
        m_morphRunning = false;
    }
}

void TspSkinFrame::AnimationTick() {
    bool running = false;
    for (auto& object : m_objects) {
        bool changed = false;
        if (object->AnimationTick(changed)) running = true;
        if (changed) RedrawObject(object.get());
    }
    if (!running) {
        KillTimer(m_form, AnimationTimerId);
        m_animationRunning = false;
    }
}

void TspSkinFrame::HoverTick() {
    if (m_moving) return;
    TPoint screen = GetCursorPos();
    TPoint p{screen.X - m_form->Left(), screen.Y - m_form->Top()};
    if (m_geometry.ClientRect.Contains(p) && m_skinned)
        UpdateHover(-1, -1, false);
    else
        UpdateHover(p.X, p.Y, Rect(0, 0, m_width, m_height).Contains(p));
}
