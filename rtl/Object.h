#pragma once
// The root of the class tree and the notify event.
#include <functional>

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* sender)>;

// An object whose state can be copied from another of a kind it knows.
class TPersistent : public TObject {
public:
    // Copies `source`; the base raises EConvertError "Cannot assign" for anything it does not
    // know (nullptr included).
    virtual void Assign(const TPersistent* source);
};
