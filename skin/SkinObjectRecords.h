#pragma once
// Skin object records: one object per [SKINOBJECTS] entry — the frame's caption,
// caption buttons and the other frame objects. Fields are named exactly as their keys.
#include "skin/SkinFieldBinder.h"

#include <memory>
#include <string>
#include <vector>

class TspSkinIni;

// Caption-button commands.
enum TspStdCommand {
    cmClose = 0,
    cmMaximize,
    cmMinimize,
    cmSysMenu,
    cmDefault,
    cmRollUp,
    cmMinimizeToTray
};

class TspDataSkinObject {
public:
    explicit TspDataSkinObject(std::string idName) : IDName(std::move(idName)) {}
    virtual ~TspDataSkinObject() = default;
    TspDataSkinObject(const TspDataSkinObject&) = delete;
    TspDataSkinObject& operator=(const TspDataSkinObject&) = delete;

    virtual const char* ClassName() const { return "TspDataSkinObject"; }
    virtual void ReadFromSection(const TspSkinIni& ini);
    virtual void BindFields(TspSkinFieldBinder& b);

    std::string IDName;
    std::string hint;
    bool rollup = false;
    int activepictureindex = -1;
    bool skinrectinapicture = false;
    int cursorindex = -1;
    TRect skinrect, activeskinrect, inactiveskinrect;
    bool morphing = false;
    TspMorphKind morphkind = mkDefault;

protected:
    virtual void AfterRead() {}
};

// A button's pressed and disabled looks and its group; the button record reads them and the
// button object keeps a copy.
struct TspSkinButtonLooks {
    TRect downrect;
    TRect disableskinrsect; // spelled as the key is
    int groupindex = -1;
    void BindButtonLooks(TspSkinFieldBinder& b);
};

class TspDataSkinButton : public TspDataSkinObject, public TspSkinButtonLooks {
public:
    using TspDataSkinObject::TspDataSkinObject;
    const char* ClassName() const override { return "TspDataSkinButton"; }
    void BindFields(TspSkinFieldBinder& b) override;
};

// Binds "command" and the four restore rectangles (shared with animated objects).
struct TspSkinRestoreLooks {
    int command = cmDefault;
    TRect restorerect, restoreactiverect, restoredownrect, restoreinactiverect;
    void BindCommand(TspSkinFieldBinder& b);
    void BindRestoreRects(TspSkinFieldBinder& b);
};

class TspDataSkinStdButton : public TspDataSkinButton, public TspSkinRestoreLooks {
public:
    using TspDataSkinButton::TspDataSkinButton;
    const char* ClassName() const override { return "TspDataSkinStdButton"; }
    void BindFields(TspSkinFieldBinder& b) override;
};

class TspDataSkinMainMenuBarButton : public TspDataSkinStdButton {
public:
    using TspDataSkinStdButton::TspDataSkinStdButton;
    const char* ClassName() const override { return "TspDataSkinMainMenuBarButton"; }
};

// The caption's look: where its text goes, in which font and colours, its plate and its
// animation. The caption record reads it and the caption object keeps a copy, which outlives
// the store's records across a skin change. Colours stay as the skin writes them (a system
// colour resolves when the text is drawn).
struct TspSkinCaptionLooks {
    bool defaultcaption = false;
    TRect textrect;
    std::string fontname = "Arial";
    int fontheight = 14;
    TspSkinFontStyles fontstyle = 0;
    TspColorValue fontcolor = 0, activefontcolor = 0;
    TspSkinAlignment alignment = TspSkinAlignment::Center;
    bool shadow = false;
    TspColorValue shadowcolor = 0;
    bool light = false;
    TspColorValue lightcolor = 0, activelightcolor = 0, activeshadowcolor = 0;
    TRect framerect, activeframerect, frametextrect;
    int frameleftoffset = 0, framerightoffset = 0;
    bool stretcheffect = false;
    TRect animateskinrect;
    int framecount = 0;
    int animateinterval = 25;
    bool inactiveanimation = false;
    bool fullframe = false;
    void BindCaptionLooks(TspSkinFieldBinder& b);
};

class TspDataSkinCaption : public TspDataSkinObject, public TspSkinCaptionLooks {
public:
    using TspDataSkinObject::TspDataSkinObject;
    const char* ClassName() const override { return "TspDataSkinCaption"; }
    void BindFields(TspSkinFieldBinder& b) override;
};

class TspDataSkinMenuItem : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    const char* ClassName() const override { return "TspDataSkinMenuItem"; }
    void BindFields(TspSkinFieldBinder& b) override;

    int itemleftoffset = 0, itemrightoffset = 0;
    TRect dividerrect;
    int dividerleftoffset = 0, dividerrightoffset = 0;
    TRect textrect, imagerect;
    std::string fontname = "Arial";
    int fontheight = 14;
    TspSkinFontStyles fontstyle = 0;
    TspColorValue fontcolor = 0, activefontcolor = 0, unenabledfontcolor = 0;
    bool stretcheffect = false, inactivestretcheffect = false, dividerstretcheffect = false;
    TRect animateskinrect;
    int framecount = 0;
    int animateinterval = 25;
    bool inactiveanimation = false;
    bool useimagecolor = false;
    TspColorValue imagecolor = 0, activeimagecolor = 0;
};

// A main menu item's looks: its offsets, pressed look, text place, font and colours. The
// record reads them and the menu item object keeps a copy.
struct TspSkinMainMenuItemLooks {
    int itemleftoffset = 0, itemrightoffset = 0;
    TRect downrect, textrect;
    std::string fontname = "Arial";
    int fontheight = 14;
    TspSkinFontStyles fontstyle = 0;
    TspColorValue fontcolor = 0, activefontcolor = 0, downfontcolor = 0, unenabledfontcolor = 0;
    bool stretcheffect = false;
    TRect animateskinrect;
    int framecount = 0;
    int animateinterval = 25;
    bool inactiveanimation = false;
    void BindMainMenuItemLooks(TspSkinFieldBinder& b);
};

class TspDataSkinMainMenuItem : public TspDataSkinObject, public TspSkinMainMenuItemLooks {
public:
    using TspDataSkinObject::TspDataSkinObject;
    const char* ClassName() const override { return "TspDataSkinMainMenuItem"; }
    void BindFields(TspSkinFieldBinder& b) override;
};

class TspDataSkinMainMenuBarItem : public TspDataSkinMainMenuItem {
public:
    using TspDataSkinMainMenuItem::TspDataSkinMainMenuItem;
    const char* ClassName() const override { return "TspDataSkinMainMenuBarItem"; }
};

// A label's font, colours, alignment and text; the record reads them and the label object
// keeps a copy.
struct TspSkinLabelLooks {
    std::string fontname = "Arial";
    int fontheight = 14;
    TspSkinFontStyles fontstyle = 0;
    TspColorValue fontcolor = 0, activefontcolor = 0;
    TspSkinAlignment alignment = TspSkinAlignment::Center;
    std::string textvalue;
    void BindLabelLooks(TspSkinFieldBinder& b);
};

class TspDataSkinLabel : public TspDataSkinObject, public TspSkinLabelLooks {
public:
    using TspDataSkinObject::TspDataSkinObject;
    const char* ClassName() const override { return "TspDataSkinLabel"; }
    void BindFields(TspSkinFieldBinder& b) override;
};

// A bitmap-font label's text and symbol strip; the record reads them and the object keeps a
// copy.
struct TspSkinBitLabelLooks {
    std::string textvalue;
    int symbolwidth = 0, symbolheight = 0;
    std::vector<std::string> symbols;
    bool transparent = false;
    TspColorValue transparentcolor = 16711935;
    void BindBitLabelLooks(TspSkinFieldBinder& b);
};

class TspDataSkinBitLabel : public TspDataSkinObject, public TspSkinBitLabelLooks {
public:
    using TspDataSkinObject::TspDataSkinObject;
    const char* ClassName() const override { return "TspDataSkinBitLabel"; }
    void BindFields(TspSkinFieldBinder& b) override;

protected:
    void AfterRead() override { morphing = false; }
};

// A track bar's button looks, its track between two points and its range; the record reads
// them and the track bar object keeps a copy.
struct TspSkinTrackBarLooks {
    TRect buttonrect, activebuttonrect;
    TPoint beginpoint, endpoint;
    int minvalue = 0, maxvalue = 0;
    bool mousedownchangevalue = false;
    bool buttontransparent = false;
    TspColorValue buttontransparentcolor = 0;
    void BindTrackBarLooks(TspSkinFieldBinder& b);
};

class TspDataSkinTrackBar : public TspDataSkinObject, public TspSkinTrackBarLooks {
public:
    using TspDataSkinObject::TspDataSkinObject;
    const char* ClassName() const override { return "TspDataSkinTrackBar"; }
    void BindFields(TspSkinFieldBinder& b) override;
};

class TspDataSkinGauge : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    const char* ClassName() const override { return "TspDataSkinGauge"; }
    void BindFields(TspSkinFieldBinder& b) override;

    int minvalue = 0, maxvalue = 0;
    int kind = 0; // 0 horizontal, 1 vertical
};

class TspDataSkinFrameGaugeObject : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    const char* ClassName() const override { return "TspDataSkinFrameGaugeObject"; }
    void BindFields(TspSkinFieldBinder& b) override;

    int minvalue = 0, maxvalue = 0;
    int countframes = 0;
    int framesplacement = 0;
};

class TspDataSkinFrameRegulatorObject : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    const char* ClassName() const override { return "TspDataSkinFrameRegulatorObject"; }
    void BindFields(TspSkinFieldBinder& b) override;

    int minvalue = 0, maxvalue = 0;
    int countframes = 0;
    int framesplacement = 0;
    int kind = 0;
};

class TspDataSkinAnimate : public TspDataSkinObject, public TspSkinRestoreLooks {
public:
    using TspDataSkinObject::TspDataSkinObject;
    const char* ClassName() const override { return "TspDataSkinAnimate"; }
    void BindFields(TspSkinFieldBinder& b) override;

    int countframes = 1;
    bool cycle = false;
    bool buttonstyle = false;
    int timerinterval = 50;
    TRect downskinrect;

protected:
    void AfterRead() override { morphing = false; }
};

class TspDataSkinSwitch : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    const char* ClassName() const override { return "TspDataSkinSwitch"; }
};

// Reads only "rollup", "skinrect" and "cursorindex".
class TspDataUserObject : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    const char* ClassName() const override { return "TspDataUserObject"; }
    void BindFields(TspSkinFieldBinder& b) override;
};

// The record class for a [SKINOBJECTS] type name (exact, case-sensitive); null for an
// unknown type.
std::unique_ptr<TspDataSkinObject> CreateSkinObjectRecord(const std::string& type,
                                                          const std::string& idName);
