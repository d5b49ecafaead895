#pragma once
// Frame objects a skin may place on its frame beside the caption and its buttons: user
// objects, labels, bitmap-font labels, gauges, switches, track bars, animations and the
// frame-strip gauge and regulator. The program's own skin has none of them; they are made
// from their records so that any skin the store reads keeps its frame complete.
#include "skin/SkinFrameObjects.h"

#include <vector>

class TspUserObject : public TspActiveSkinObject {
public:
    TspUserObject(TspSkinFrame* frame, TspSkinData* store, const TspDataUserObject& r)
        : TspActiveSkinObject(frame, store, r) {}
    // Drawn by its user (the frame's paint event); nothing of its own.
    void DrawObject(TCanvas&, bool) override {}
};

class TspSkinLabelObject : public TspActiveSkinObject, public TspSkinLabelLooks {
public:
    TspSkinLabelObject(TspSkinFrame* frame, TspSkinData* store, const TspDataSkinLabel& r);
    void DrawObject(TCanvas& canvas, bool drawNormal) override;
};

// Text drawn from a strip of symbol pictures: each line of `symbols` lists the characters of
// one row of the strip, each `symbolwidth` x `symbolheight`.
class TspSkinBitLabelObject : public TspActiveSkinObject, public TspSkinBitLabelLooks {
public:
    TspSkinBitLabelObject(TspSkinFrame* frame, TspSkinData* store, const TspDataSkinBitLabel& r);
    void DrawObject(TCanvas& canvas, bool drawNormal) override;
    // Where a character's picture lies in the active picture; empty when it has none.
    TRect SymbolRect(char c) const;
};

// A value between two limits, shown by a part of the active look.
class TspSkinGaugeObject : public TspActiveSkinObject {
public:
    TspSkinGaugeObject(TspSkinFrame* frame, TspSkinData* store, const TspDataSkinGauge& r);
    void DrawObject(TCanvas& canvas, bool drawNormal) override;
    void ObjectMouseEnter() override { MouseIn = true; }
    void ObjectMouseLeave() override { MouseIn = false; }
    int Value() const { return m_value; }
    void SetValue(int value);

    int minvalue = 0, maxvalue = 0;
    int kind = 0; // 0 horizontal, 1 vertical

private:
    int m_value = 0;
};

// Two states, normal and active, swapped by a click.
class TspSkinSwitchObject : public TspActiveSkinObject {
public:
    TspSkinSwitchObject(TspSkinFrame* frame, TspSkinData* store, const TspDataSkinSwitch& r);
    void DrawObject(TCanvas& canvas, bool drawNormal) override;
    void ObjectMouseEnter() override { MouseIn = true; }
    void ObjectMouseLeave() override { MouseIn = false; }
    void ObjectMouseUp(int x, int y, TMouseButton button) override;
    bool On() const { return m_on; }
    void SetOn(bool value);

private:
    bool m_on = false;
};

// A button picture moved along a line between two points by dragging.
class TspSkinTrackBarObject : public TspActiveSkinObject, public TspSkinTrackBarLooks {
public:
    TspSkinTrackBarObject(TspSkinFrame* frame, TspSkinData* store, const TspDataSkinTrackBar& r);
    void DrawObject(TCanvas& canvas, bool drawNormal) override;
    void ObjectMouseDown(int x, int y, TMouseButton button) override;
    void ObjectMouseMove(int x, int y) override;
    void ObjectMouseUp(int x, int y, TMouseButton button) override;
    int Value() const { return m_value; }
    void SetValue(int value);
    // The button's place for the current value, in window coordinates.
    TRect ButtonRect() const;

private:
    int ValueAt(int x, int y) const;
    int m_value = 0;
    bool m_dragging = false;
};

// A strip of frames played on the animation timer; with `buttonstyle` a caption button too.
class TspSkinAnimateObject : public TspActiveSkinObject {
public:
    TspSkinAnimateObject(TspSkinFrame* frame, TspSkinData* store, const TspDataSkinAnimate& r);
    void DrawObject(TCanvas& canvas, bool drawNormal) override;
    void ObjectMouseEnter() override;
    void ObjectMouseLeave() override;
    void ObjectMouseDown(int x, int y, TMouseButton button) override;
    void ObjectMouseUp(int x, int y, TMouseButton button) override;
    bool AnimationTick(bool& changed) override;
    int CurrentFrame() const { return m_frameIndex; }

    int countframes = 1;
    bool cycle = false;
    bool buttonstyle = false;
    int timerinterval = 50;
    int command = cmDefault;
    TRect downskinrect;

private:
    int m_frameIndex = 0;
    int m_elapsed = 0;
    bool m_playing = false;
    bool m_down = false;
};

// A strip of frames, one per step of a value.
class TspSkinFrameObject : public TspActiveSkinObject {
public:
    TspSkinFrameObject(TspSkinFrame* frame, TspSkinData* store, const TspDataSkinObject& r,
                       int minValue, int maxValue, int countFrames, int placement);
    void DrawObject(TCanvas& canvas, bool drawNormal) override;
    void ObjectMouseEnter() override { MouseIn = true; }
    void ObjectMouseLeave() override { MouseIn = false; }
    int Value() const { return m_value; }
    void SetValue(int value);
    int FrameIndex() const;

    int minvalue = 0, maxvalue = 0;
    int countframes = 1;
    int framesplacement = 0; // 0 side by side, 1 stacked

protected:
    int m_value = 0;
};

class TspSkinFrameGaugeObject : public TspSkinFrameObject {
public:
    TspSkinFrameGaugeObject(TspSkinFrame* frame, TspSkinData* store,
                            const TspDataSkinFrameGaugeObject& r)
        : TspSkinFrameObject(frame, store, r, r.minvalue, r.maxvalue, r.countframes,
                             r.framesplacement) {}
};

// A frame gauge the user turns with the mouse: a knob (kind 0) by the angle around its
// centre, a slider sideways (1) or up and down (2).
class TspSkinFrameRegulatorObject : public TspSkinFrameObject {
public:
    TspSkinFrameRegulatorObject(TspSkinFrame* frame, TspSkinData* store,
                                const TspDataSkinFrameRegulatorObject& r)
        : TspSkinFrameObject(frame, store, r, r.minvalue, r.maxvalue, r.countframes,
                             r.framesplacement),
          kind(r.kind) {}
    void ObjectMouseDown(int x, int y, TMouseButton button) override;
    void ObjectMouseMove(int x, int y) override;
    void ObjectMouseUp(int x, int y, TMouseButton button) override;

    int kind = 0;

private:
    void Follow(int x, int y);
    bool m_dragging = false;
};
