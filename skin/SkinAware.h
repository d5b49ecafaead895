#pragma once
// What every control or component that draws from a skin store answers when that store's
// skin changes. The skinned window frame walks its form's control tree and tells each one:
// PrepareSkinChange before the store reloads (drop the cached record), ApplySkinChange after
// it (look the record up again, fit the size, repaint).
//
// The skinned control bases derive from it next to their framework class:
//
//     class TspSkinControl : public TCustomControl, public TspSkinAware { ... };
//
// The declarations below match the bases' own operations, so those implement it as they are.
#include <string>

class TspSkinData;

class TspSkinAware {
public:
    virtual ~TspSkinAware() = default;
    // The store it draws from, or nullptr.
    virtual TspSkinData* SkinData() const = 0;
    virtual void PrepareSkinChange() = 0;
    virtual void ApplySkinChange() = 0;
    // The skin area ([SKINAREAS]) the skinned window places it on, or empty for none.
    virtual std::string SkinAreaName() const { return {}; }
};
