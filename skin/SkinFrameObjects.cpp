// Frame objects: the base object with its looks and cross-fade, buttons and the caption
// buttons with their commands.
#include "skin/SkinFrameObjects.h"

#include "skin/EffectBitmap.h"
#include "skin/SkinData.h"
#include "skin/SkinFrame.h"
#include "skin/SkinFrameExtraObjects.h"
#include "skin/SkinMenu.h"

#include <cmath>

// --- TspActiveSkinObject ---

TspActiveSkinObject::TspActiveSkinObject(TspSkinFrame* frame, TspSkinData* store,
                                         const TspDataSkinObject& r)
    : IDName(r.IDName), Hint(r.hint), skinrect(r.skinrect), activeskinrect(r.activeskinrect),
      inactiveskinrect(r.inactiveskinrect), skinrectinapicture(r.skinrectinapicture),
      morphing(r.morphing), morphkind(r.morphkind), cursorindex(r.cursorindex), rollup(r.rollup),
      ObjectRect(r.skinrect), m_frame(frame), m_store(store) {
    if (store) {
        Picture = r.rollup ? store->RollUpSkinPicture() : store->SkinPicture();
        if (Picture && Picture->Empty()) Picture = nullptr;
        ActivePicture = store->ActivePicture(r.activepictureindex);
        if (ActivePicture && ActivePicture->Empty()) ActivePicture = nullptr;
    }
}

TspActiveSkinObject::TspActiveSkinObject(TspSkinFrame* frame) : m_frame(frame), m_store(nullptr) {}

TspActiveSkinObject::~TspActiveSkinObject() {
    *m_alive = false;
}

bool TspActiveSkinObject::MorphAllowed() const {
    return morphing && m_store && m_store->EnableSkinEffects();
}

bool TspActiveSkinObject::WindowActive() const {
    return m_frame->WindowActive();
}

bool TspActiveSkinObject::LooksInActivePicture() const {
    return skinrectinapicture && ActivePicture;
}

const TBitmap* TspActiveSkinObject::NormalPicture() const {
    return LooksInActivePicture() ? ActivePicture : Picture;
}

bool TspActiveSkinObject::MorphPending() const {
    if (!MorphAllowed()) return false;
    return Active ? MorphFactor < 1 : MorphFactor > 0;
}

bool TspActiveSkinObject::MorphStep() {
    if (!MorphPending()) return false;
    double next = MorphFactor + (Active ? 0.2 : -0.2);
    // Five steps make a whole change; keep the factor on the step grid.
    next = std::round(next * 5) / 5;
    MorphFactor = next < 0 ? 0 : next > 1 ? 1 : next;
    return true;
}

void TspActiveSkinObject::LookChanged() {
    if (activeskinrect.IsEmpty()) return;
    if (MorphAllowed()) {
        m_frame->StartMorph();
        return;
    }
    MorphFactor = Active ? 1 : 0;
    Redraw();
}

void TspActiveSkinObject::Redraw() {
    m_frame->RedrawObject(this);
}

void TspActiveSkinObject::ObjectMouseEnter() {
    MouseIn = true;
    Active = true;
    LookChanged();
}

void TspActiveSkinObject::ObjectMouseLeave() {
    MouseIn = false;
    Active = false;
    LookChanged();
}

void TspActiveSkinObject::ObjectMouseDown(int, int, TMouseButton) {}
void TspActiveSkinObject::ObjectMouseUp(int, int, TMouseButton) {}
void TspActiveSkinObject::ObjectMouseMove(int, int) {}

// A look cut out of a picture, kept while the source stays the same: a cross-fade step
// mixes two of them without touching the pictures again.
const TspEffectBmp& TspActiveSkinObject::LookCache::Get(const TBitmap* picture, const TRect& source,
                                                        int width, int height) {
    if (picture != m_picture || source != m_source || width != buffer.Width() ||
        height != buffer.Height()) {
        TBitmap cut(width, height);
        cut.Canvas()->CopyRect(Rect(0, 0, width, height), *picture, source);
        buffer.Assign(cut);
        m_picture = picture;
        m_source = source;
    }
    return buffer;
}

void TspActiveSkinObject::CopyLook(TCanvas& canvas, const TBitmap* picture, const TRect& source) {
    if (!picture || source.IsEmpty() || ObjectRect.IsEmpty()) return;
    canvas.CopyRect(ObjectRect, *picture, source);
}

void TspActiveSkinObject::DrawLooks(TCanvas& canvas, bool drawNormal, const TRect& normal,
                                    const TRect& active) {
    const TBitmap* normalPicture = NormalPicture();
    // Steps between the two looks: a mix of both.
    const bool resting = Active ? MorphFactor >= 1 : MorphFactor <= 0;
    if (MorphAllowed() && !resting && ActivePicture && normalPicture && !active.IsEmpty() &&
        !normal.IsEmpty() && !ObjectRect.IsEmpty()) {
        const int w = ObjectRect.Width(), h = ObjectRect.Height();
        m_mix = m_normalLook.Get(normalPicture, normal, w, h);
        m_mix.Morph(morphkind, m_activeLook.Get(ActivePicture, active, w, h), MorphFactor);
        m_mix.DrawAt(canvas, ObjectRect.Left, ObjectRect.Top);
        return;
    }
    if (!Active || active.IsEmpty() || !ActivePicture) {
        // A normal look that is part of the frame picture is already in the strips.
        if (!drawNormal && !LooksInActivePicture()) return;
        CopyLook(canvas, normalPicture, normal);
        return;
    }
    CopyLook(canvas, ActivePicture, active);
}

void TspActiveSkinObject::DrawObject(TCanvas& canvas, bool drawNormal) {
    if (!WindowActive() && Enabled && !inactiveskinrect.IsEmpty() && ActivePicture) {
        CopyLook(canvas, ActivePicture, inactiveskinrect);
        return;
    }
    DrawLooks(canvas, drawNormal, skinrect, activeskinrect);
}

// --- TspSkinButtonObject ---

TspSkinButtonObject::TspSkinButtonObject(TspSkinFrame* frame, TspSkinData* store,
                                         const TspDataSkinButton& r)
    : TspActiveSkinObject(frame, store, r), TspSkinButtonLooks(r) {}

void TspSkinButtonObject::DrawObject(TCanvas& canvas, bool drawNormal) {
    if (!Enabled && !disableskinrsect.IsEmpty() && ActivePicture) {
        CopyLook(canvas, ActivePicture, disableskinrsect);
        return;
    }
    if (Down && !downrect.IsEmpty() && ActivePicture && (MouseIn || groupindex >= 0)) {
        CopyLook(canvas, ActivePicture, downrect);
        return;
    }
    TspActiveSkinObject::DrawObject(canvas, drawNormal);
}

void TspSkinButtonObject::SetDown(bool down) {
    if (down == Down) return;
    Down = down;
    // A pressed button shows its pressed look at once; coming up it starts from the
    // active look.
    if (down && MorphAllowed()) MorphFactor = 1;
    if (down) m_frame->ButtonDownChanged(this);
    Redraw();
}

void TspSkinButtonObject::ObjectMouseEnter() {
    TspActiveSkinObject::ObjectMouseEnter();
    // Back over a held button: the pressed look again.
    if (Down) Redraw();
}

void TspSkinButtonObject::ObjectMouseLeave() {
    TspActiveSkinObject::ObjectMouseLeave();
    if (Down) Redraw();
}

void TspSkinButtonObject::ObjectMouseDown(int, int, TMouseButton button) {
    if (button != mbLeft || !Enabled || Down) return;
    SetDown(true);
}

void TspSkinButtonObject::ObjectMouseUp(int, int, TMouseButton button) {
    if (button != mbLeft || !Down) return;
    std::shared_ptr<bool> alive = m_alive;
    const bool acts = MouseIn && Enabled;
    if (acts) DoCommandBeforeRelease();
    if (!*alive) return;
    // Group buttons stay down until another of their group goes down; a button with its
    // menu open comes up when the menu closes.
    if (!Menu && groupindex < 0) SetDown(false);
    if (acts) DoCommandAfterRelease();
}

void TspSkinButtonObject::MenuClosed() {
    Menu = nullptr;
    SetDown(false);
    if (!MouseIn) {
        Active = false;
        LookChanged();
    }
}

// --- TspSkinStdButtonObject ---

TspSkinStdButtonObject::TspSkinStdButtonObject(TspSkinFrame* frame, TspSkinData* store,
                                               const TspDataSkinStdButton& r)
    : TspSkinButtonObject(frame, store, r), TspSkinRestoreLooks(r) {
    m_isStdButton = true;
}

TspSkinStdButtonObject::TspSkinStdButtonObject(TspSkinFrame* frame, TspStdCommand cmd,
                                               const TRect& rect)
    : TspSkinButtonObject(frame), SkinSupport(false) {
    m_isStdButton = true;
    command = cmd;
    IDName = cmd == cmClose      ? "closebutton"
             : cmd == cmMaximize ? "maxbutton"
             : cmd == cmMinimize ? "minbutton"
                                 : "sysmenubutton";
    skinrect = rect;
    ObjectRect = rect;
}

TspSkinButtonObject::TspSkinButtonObject(TspSkinFrame* frame) : TspActiveSkinObject(frame) {}

bool TspSkinStdButtonObject::ShowsIcon() const {
    return command == cmSysMenu && m_frame->ShowIcon() && (LooksInActivePicture() || !SkinSupport);
}

bool TspSkinStdButtonObject::ShowsRestore() const {
    switch (command) {
    case cmMaximize:
        return m_frame->WindowState() == wsMaximized;
    case cmMinimize:
        return m_frame->WindowState() == wsMinimized;
    case cmRollUp:
        return m_frame->RolledUp();
    default:
        return false;
    }
}

void TspSkinStdButtonObject::DrawObject(TCanvas& canvas, bool drawNormal) {
    if (!SkinSupport) {
        DrawDefaultButton(canvas);
        return;
    }
    if (ShowsIcon()) {
        MorphFactor = 0;
        canvas.Draw(ObjectRect.Left, ObjectRect.Top, m_frame->WindowIcon());
        return;
    }
    if (ShowsRestore() && !restorerect.IsEmpty()) {
        if (!WindowActive() && !restoreinactiverect.IsEmpty() && ActivePicture) {
            CopyLook(canvas, ActivePicture, restoreinactiverect);
            return;
        }
        if (Down && MouseIn && !restoredownrect.IsEmpty() && ActivePicture) {
            CopyLook(canvas, ActivePicture, restoredownrect);
            return;
        }
        DrawLooks(canvas, drawNormal, restorerect, restoreactiverect);
        return;
    }
    TspSkinButtonObject::DrawObject(canvas, drawNormal);
}

// The plain look of the unskinned frame's buttons: a raised face that lights up under the
// mouse, with the command's glyph.
void TspSkinStdButtonObject::DrawDefaultButton(TCanvas& canvas) {
    const TRect r = ObjectRect;
    if (r.IsEmpty()) return;
    if (ShowsIcon()) {
        canvas.Brush()->SetColor(clBtnFace);
        canvas.FillRect(r);
        const TBitmap& icon = m_frame->WindowIcon();
        canvas.Draw(r.Left + (r.Width() - icon.Width()) / 2,
                    r.Top + (r.Height() - icon.Height()) / 2, icon);
        return;
    }
    const bool pressed = Down && MouseIn;
    canvas.Brush()->SetStyle(bsSolid);
    if (pressed || MouseIn) {
        canvas.Brush()->SetColor(pressed ? TColor(11899781) : TColor(13811126));
        canvas.FillRect(r);
        canvas.Brush()->SetColor(TColor(0x800000));
        canvas.FrameRect(r);
    } else {
        canvas.Brush()->SetColor(clBtnFace);
        canvas.FillRect(r);
    }
    const TColor ink = Enabled ? clBtnText : clBtnShadow;
    canvas.Pen()->SetColor(ink);
    canvas.Brush()->SetColor(ink);
    const int s = pressed ? 1 : 0;
    const int cx = r.Left + r.Width() / 2 + s, cy = r.Top + r.Height() / 2 + s;
    switch (command) {
    case cmClose:
        for (int i = -3; i <= 3; ++i) {
            canvas.FillRect(Rect(cx + i - 1, cy + i, cx + i + 1, cy + i + 1));
            canvas.FillRect(Rect(cx - i - 1, cy + i, cx - i + 1, cy + i + 1));
        }
        break;
    case cmMaximize:
        if (ShowsRestore()) {
            canvas.FrameRect(Rect(cx - 4, cy - 1, cx + 2, cy + 5));
            canvas.FillRect(Rect(cx - 4, cy - 1, cx + 2, cy));
            canvas.FrameRect(Rect(cx - 2, cy - 4, cx + 4, cy + 2));
            canvas.FillRect(Rect(cx - 2, cy - 4, cx + 4, cy - 3));
        } else {
            canvas.FrameRect(Rect(cx - 4, cy - 4, cx + 5, cy + 4));
            canvas.FillRect(Rect(cx - 4, cy - 4, cx + 5, cy - 2));
        }
        break;
    case cmMinimize:
        canvas.FillRect(Rect(cx - 4, cy + 2, cx + 3, cy + 4));
        break;
    case cmRollUp:
        for (int i = 0; i < 4; ++i)
            canvas.FillRect(Rect(cx - i, cy - 2 + i, cx + i + 1, cy - 1 + i));
        break;
    case cmMinimizeToTray:
        canvas.FillRect(Rect(cx + 1, cy + 1, cx + 4, cy + 4));
        break;
    default:
        canvas.FillRect(Rect(cx - 4, cy - 1, cx + 4, cy + 1));
        break;
    }
}

void TspSkinStdButtonObject::ObjectMouseDown(int x, int y, TMouseButton button) {
    const bool wasDown = Down;
    TspSkinButtonObject::ObjectMouseDown(x, y, button);
    if (button != mbLeft || wasDown || !Down || command != cmSysMenu) return;
    // The system menu opens below the button and keeps it down while it is shown.
    const TRect onScreen = OffsetRect(ObjectRect, m_frame->Form()->Left(), m_frame->Form()->Top());
    m_frame->ShowSystemMenuUnder(onScreen, this);
}

void TspSkinStdButtonObject::ObjectDoubleClick() {
    if (command == cmSysMenu) m_frame->CloseWindow();
}

void TspSkinStdButtonObject::DoCommandBeforeRelease() {
    // Closing waits for the release (below); the system-menu button acted on its press.
    if (command != cmClose && command != cmSysMenu) m_frame->RunCommand(command);
}

void TspSkinStdButtonObject::DoCommandAfterRelease() {
    // Closing waits until the button has come up, so the window never closes on a
    // pressed-looking button.
    if (command == cmClose) m_frame->CloseWindow();
}

// --- the factory ---

std::unique_ptr<TspActiveSkinObject> CreateFrameObject(TspSkinFrame* frame, TspSkinData* store,
                                                       const TspDataSkinObject& record) {
    const TspDataSkinObject* r = &record;
    // Menu parts are drawn by the menus, not on the frame.
    if (dynamic_cast<const TspDataSkinMainMenuBarButton*>(r) ||
        dynamic_cast<const TspDataSkinMenuItem*>(r) ||
        dynamic_cast<const TspDataSkinMainMenuItem*>(r))
        return nullptr;
    if (auto* g = dynamic_cast<const TspDataSkinGauge*>(r))
        return std::make_unique<TspSkinGaugeObject>(frame, store, *g);
    if (auto* b = dynamic_cast<const TspDataSkinStdButton*>(r))
        return std::make_unique<TspSkinStdButtonObject>(frame, store, *b);
    if (auto* b = dynamic_cast<const TspDataSkinButton*>(r))
        return std::make_unique<TspSkinButtonObject>(frame, store, *b);
    if (auto* c = dynamic_cast<const TspDataSkinCaption*>(r))
        return std::make_unique<TspSkinCaptionObject>(frame, store, *c);
    if (auto* u = dynamic_cast<const TspDataUserObject*>(r))
        return std::make_unique<TspUserObject>(frame, store, *u);
    if (auto* s = dynamic_cast<const TspDataSkinSwitch*>(r))
        return std::make_unique<TspSkinSwitchObject>(frame, store, *s);
    if (auto* t = dynamic_cast<const TspDataSkinTrackBar*>(r))
        return std::make_unique<TspSkinTrackBarObject>(frame, store, *t);
    if (auto* l = dynamic_cast<const TspDataSkinLabel*>(r))
        return std::make_unique<TspSkinLabelObject>(frame, store, *l);
    if (auto* a = dynamic_cast<const TspDataSkinAnimate*>(r))
        return std::make_unique<TspSkinAnimateObject>(frame, store, *a);
    if (auto* b = dynamic_cast<const TspDataSkinBitLabel*>(r))
        return std::make_unique<TspSkinBitLabelObject>(frame, store, *b);
    if (auto* g = dynamic_cast<const TspDataSkinFrameRegulatorObject*>(r))
        return std::make_unique<TspSkinFrameRegulatorObject>(frame, store, *g);
    if (auto* g = dynamic_cast<const TspDataSkinFrameGaugeObject*>(r))
        return std::make_unique<TspSkinFrameGaugeObject>(frame, store, *g);
    return nullptr;
}
