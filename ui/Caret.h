#pragma once
// The one caret: its owner, size, place and blink, and where it was last drawn. It is drawn
// by inverting pixels on the top-level surface, so the paint pass takes it off before it
// paints under it and puts it back after.
#include <cstdint>

#include "gfx/Region.h"
#include "gfx/Types.h"

class TWinControl;
class TWindowRegistry;

class TCaret {
public:
    explicit TCaret(const TWindowRegistry& registry) : m_registry(registry) {}

    // A new caret for owner, hidden until shown (the old one should be destroyed first).
    void Create(TWinControl* owner, int width, int height);
    bool Destroy(); // false when there was none
    TWinControl* Owner() const { return m_owner; }
    bool SetPos(TPoint pos); // client coordinates of the owner; false without a caret
    TPoint Pos() const { return m_pos; }
    // Shows and hides nest; wnd nullptr means whichever window owns it.
    bool Show(const TWinControl* wnd);
    bool Hide(const TWinControl* wnd);
    bool Hidden() const { return m_hideLevel > 0; }

    // After a change the caret is shown at once and blinks from now.
    void Restart();
    // Turns the blink over when its time has come; true when it did.
    bool Blink();
    uint64_t NextBlink() const { return m_owner ? m_nextBlink : UINT64_MAX; }

    // Where the caret is to be drawn on top now, for one paint of top.
    struct Placement {
        bool onTop = false;
        TRect rect; // top-level coordinates
        TRegion clip;
    };
    Placement PlacementOn(TWinControl* top) const;
    // Before top is painted: takes the drawn caret off when the paint or a move needs it.
    void BeforePaint(TWinControl* top, bool painting, const Placement& now);
    // After top is painted: draws the caret where it belongs when it is not there yet.
    void AfterPaint(TWinControl* top, const Placement& now);
    // top's surface was made anew: nothing of the caret is on it.
    void SurfaceReplaced(const TWinControl* top);

    void Forget(const TWinControl* w); // w is being destroyed
    void Reset();

private:
    void Undraw();
    void Draw();

    const TWindowRegistry& m_registry;
    TWinControl* m_owner = nullptr;
    int m_width = 0;
    int m_height = 0;
    TPoint m_pos;
    int m_hideLevel = 1; // created hidden
    bool m_blinkOn = true;
    uint64_t m_nextBlink = 0;
    TWinControl* m_drawnTop = nullptr;
    TRect m_drawnRect; // top-level coordinates
    TRegion m_drawnClip;
};
