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

class TspDataSkinButton : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    const char* ClassName() const override { return "TspDataSkinButton"; }
    void BindFields(TspSkinFieldBinder& b) override;

    TRect downrect;
    TRect disableskinrsect; // spelled as the key is
    int groupindex = -1;
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

class TspDataSkinCaption : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    const char* ClassName() const override { return "TspDataSkinCaption"; }
    void BindFields(TspSkinFieldBinder& b) override;

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

class TspDataSkinMainMenuItem : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    const char* ClassName() const override { return "TspDataSkinMainMenuItem"; }
    void BindFields(TspSkinFieldBinder& b) override;

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
};

class TspDataSkinMainMenuBarItem : public TspDataSkinMainMenuItem {
public:
    using TspDataSkinMainMenuItem::TspDataSkinMainMenuItem;
    const char* ClassName() const override { return "TspDataSkinMainMenuBarItem"; }
};

class TspDataSkinLabel : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    const char* ClassName() const override { return "TspDataSkinLabel"; }
    void BindFields(TspSkinFieldBinder& b) override;

    std::string fontname = "Arial";
    int fontheight = 14;
    TspSkinFontStyles fontstyle = 0;
    TspColorValue fontcolor = 0, activefontcolor = 0;
    TspSkinAlignment alignment = TspSkinAlignment::Center;
    std::string textvalue;
};

class TspDataSkinBitLabel : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    const char* ClassName() const override { return "TspDataSkinBitLabel"; }
    void BindFields(TspSkinFieldBinder& b) override;

    std::string textvalue;
    int symbolwidth = 0, symbolheight = 0;
    std::vector<std::string> symbols;
    bool transparent = false;
    TspColorValue transparentcolor = 16711935;

protected:
    void AfterRead() override { morphing = false; }
};

class TspDataSkinTrackBar : public TspDataSkinObject {
public:
    using TspDataSkinObject::TspDataSkinObject;
    const char* ClassName() const override { return "TspDataSkinTrackBar"; }
    void BindFields(TspSkinFieldBinder& b) override;

    TRect buttonrect, activebuttonrect;
    TPoint beginpoint, endpoint;
    int minvalue = 0, maxvalue = 0;
    bool mousedownchangevalue = false;
    bool buttontransparent = false;
    TspColorValue buttontransparentcolor = 0;
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
