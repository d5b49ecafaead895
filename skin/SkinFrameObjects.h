#pragma once
// The parts of a skinned window frame that react to the user: the caption with the window's
// title and the caption buttons (close, maximise, minimise, system menu), plus the other
// object kinds a skin may place on its frame. Each is made from one skin object record,
// placed on the frame for the current window size, drawn in its normal, active (mouse
// over), pressed, inactive-window or disabled look, cross-faded between looks, and fed with
// the frame's non-client mouse input. The frame owns them.
#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "gfx/Types.h"
#include "skin/EffectBitmap.h"
#include "skin/SkinObjectRecords.h"
#include "ui/Controls.h"

#include <memory>
#include <string>

class TspSkinFrame;
class TspSkinData;
class TspSkinPopupMenu;

class TspActiveSkinObject {
public:
    TspActiveSkinObject(TspSkinFrame* frame, TspSkinData* store, const TspDataSkinObject& record);
    virtual ~TspActiveSkinObject();
    TspActiveSkinObject(const TspActiveSkinObject&) = delete;
    TspActiveSkinObject& operator=(const TspActiveSkinObject&) = delete;

    // Draws the object on a canvas whose origin is the window's top-left corner. While the
    // frame paints its strips `drawNormal` is false: a normal look that is part of the frame
    // picture is already there and is not drawn again.
    virtual void DrawObject(TCanvas& canvas, bool drawNormal);
    virtual void ObjectDoubleClick() {}
    virtual void ObjectMouseDown(int x, int y, TMouseButton button);
    virtual void ObjectMouseUp(int x, int y, TMouseButton button);
    virtual void ObjectMouseMove(int x, int y);
    virtual void ObjectMouseEnter();
    virtual void ObjectMouseLeave();
    // True while a cross-fade still has steps to go.
    virtual bool MorphPending() const;

    // One step of the cross-fade toward the active (1) or normal (0) look; false when the
    // factor already rests.
    bool MorphStep();
    // Animation tick of 25 ms: true while the animation runs; `changed` asks for a redraw.
    virtual bool AnimationTick(bool& changed) {
        changed = false;
        return false;
    }
    // The window's activation changed.
    virtual void WindowActivationChanged(bool /*active*/) {}
    bool IsCaption() const { return m_isCaption; }
    bool IsStdButton() const { return m_isStdButton; }
    // Its looks are cut from an active picture (not from the frame picture).
    bool LooksInActivePicture() const;

    TspSkinFrame* Frame() const { return m_frame; }
    TspSkinData* Store() const { return m_store; }

    std::string IDName;
    std::string Hint;
    TRect skinrect, activeskinrect, inactiveskinrect;
    bool skinrectinapicture = false;
    TBitmap* Picture = nullptr;       // the frame picture (or the roll-up picture)
    TBitmap* ActivePicture = nullptr; // none for an index of -1 or beyond the list
    bool morphing = false;
    TspMorphKind morphkind = mkDefault;
    int cursorindex = -1;
    bool rollup = false;
    TRect ObjectRect; // where it is drawn, in window coordinates
    bool Enabled = true;
    bool Visible = true;
    bool Active = false;  // the mouse is over it (a caption: the window is active)
    bool MouseIn = false; // the mouse is over it
    double MorphFactor = 0;

protected:
    // An object without a record (the default frame's buttons).
    explicit TspActiveSkinObject(TspSkinFrame* frame);
    bool MorphAllowed() const;
    bool WindowActive() const;
    // Where the normal look is cut from.
    const TBitmap* NormalPicture() const;
    // The base drawing between a normal and an active look (shared by the restore looks).
    void DrawLooks(TCanvas& canvas, bool drawNormal, const TRect& normal, const TRect& active);
    // Copies `source` of the active picture onto ObjectRect.
    void CopyLook(TCanvas& canvas, const TBitmap* picture, const TRect& source);
    // The look changes: through the morph timer when morphing, else at once.
    void LookChanged();
    // Draws the object on the window now.
    void Redraw();

    TspSkinFrame* m_frame;
    TspSkinData* m_store;
    bool m_isCaption = false;
    bool m_isStdButton = false;
    // Cleared when the object goes: commands that may rebuild the objects check it.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);

private:
    class LookCache {
    public:
        const TspEffectBmp& Get(const TBitmap* picture, const TRect& source, int width, int height);
        TspEffectBmp buffer;

    private:
        const TBitmap* m_picture = nullptr;
        TRect m_source;
    };
    LookCache m_normalLook, m_activeLook;
    TspEffectBmp m_mix;
};

class TspSkinButtonObject : public TspActiveSkinObject, public TspSkinButtonLooks {
public:
    TspSkinButtonObject(TspSkinFrame* frame, TspSkinData* store, const TspDataSkinButton& record);

    void DrawObject(TCanvas& canvas, bool drawNormal) override;
    void ObjectMouseDown(int x, int y, TMouseButton button) override;
    void ObjectMouseUp(int x, int y, TMouseButton button) override;
    void ObjectMouseEnter() override;
    void ObjectMouseLeave() override;
    // Pressed state; a group button releases the other down buttons of its group.
    void SetDown(bool down);
    // The skinned menu window this button opened has closed.
    void MenuClosed();

    bool Down = false;
    TspSkinPopupMenu* Menu = nullptr; // attached while its menu is shown
    bool MenuUp = false;

protected:
    explicit TspSkinButtonObject(TspSkinFrame* frame);
    // Runs the button's action on release; std buttons override.
    virtual void DoCommandBeforeRelease() {}
    virtual void DoCommandAfterRelease() {}
};

class TspSkinStdButtonObject : public TspSkinButtonObject, public TspSkinRestoreLooks {
public:
    TspSkinStdButtonObject(TspSkinFrame* frame, TspSkinData* store,
                           const TspDataSkinStdButton& record);
    // A default button of the unskinned frame: no pictures, a plain 3D look.
    TspSkinStdButtonObject(TspSkinFrame* frame, TspStdCommand command, const TRect& rect);

    void DrawObject(TCanvas& canvas, bool drawNormal) override;
    void ObjectMouseDown(int x, int y, TMouseButton button) override;
    void ObjectDoubleClick() override;
    // The system-menu button that shows the window icon keeps its normal look.
    bool ShowsIcon() const;

    bool SkinSupport = true;

protected:
    void DoCommandBeforeRelease() override;
    void DoCommandAfterRelease() override;

private:
    bool ShowsRestore() const;
    void DrawDefaultButton(TCanvas& canvas);
};

class TspSkinCaptionObject : public TspActiveSkinObject, public TspSkinCaptionLooks {
public:
    TspSkinCaptionObject(TspSkinFrame* frame, TspSkinData* store, const TspDataSkinCaption& record);

    void DrawObject(TCanvas& canvas, bool drawNormal) override;
    void ObjectMouseEnter() override { MouseIn = true; }
    void ObjectMouseLeave() override { MouseIn = false; }
    bool AnimationTick(bool& changed) override;
    void WindowActivationChanged(bool active) override;
    // The text drawn, as the frame gives it (the window's caption).
    AnsiString Text;

    int AnimationFrame = 0; // 0 = not animating
    int AnimationElapsed = 0;

    // The text rectangle in window coordinates for the current ObjectRect.
    TRect TextRectOnWindow() const;
    // The text as drawn: the caption shortened with "..." to the text rectangle's width.
    AnsiString DrawnText(TCanvas& canvas) const;
    void SetCaptionFont(TCanvas& canvas, bool active) const;

private:
    void DrawBackground(TCanvas& canvas, bool drawNormal);
    void DrawPlate(TCanvas& canvas, int x, int y, int textWidth, bool active);
};

// Makes the frame object for a skin object record; nullptr for records that make none
// (menu items and menu bar parts).
std::unique_ptr<TspActiveSkinObject> CreateFrameObject(TspSkinFrame* frame, TspSkinData* store,
                                                       const TspDataSkinObject& record);
