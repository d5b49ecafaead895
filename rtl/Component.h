#pragma once
// TComponent: ownership and removal notification. A component is created as new T(owner) and
// deleted by its owner, last created first. A component that keeps a pointer to another asks
// it for FreeNotification and clears the pointer in Notification(other, opRemove).
#include "rtl/Object.h"
#include <cstdint>
#include <string>
#include <vector>

enum TOperation { opInsert, opRemove };

// Component state bits.
enum : unsigned {
    csLoading = 1, // the owner's stored data is being read
    csReading = 2,
    csDestroying = 4, // inside the destructor
    csDesigning = 8,
};

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    // Sends opRemove for this component to the owner's tree and to every component that asked
    // for FreeNotification, then deletes the owned components, last first.
    ~TComponent() override;

    TComponent* Owner() const { return m_owner; }
    int ComponentCount() const { return static_cast<int>(m_components.size()); }
    // EListError "List index out of bounds (%d)" outside 0 .. ComponentCount() - 1.
    TComponent* Components(int index) const;
    int ComponentIndex() const; // this component's place in its owner's list, -1 without owner
    // The owned component with this name (A-Z folded), or nullptr.
    TComponent* FindComponent(const std::string& name) const;

    const std::string& Name() const { return m_name; }
    // Raises EComponentError "A component named %s already exists" when a sibling has it.
    virtual void SetName(const std::string& name);
    intptr_t Tag() const { return m_tag; }
    void SetTag(intptr_t tag) { m_tag = tag; }

    unsigned ComponentState() const { return m_state; }
    void SetComponentStateFlag(unsigned flag, bool on);
    bool Loading() const { return (m_state & csLoading) != 0; }
    bool Destroying() const { return (m_state & csDestroying) != 0; }
    // Called after the owner's stored values have been set: clears csLoading, then Loaded().
    void EndLoading();

    // Moves ownership; `component` must not be owned elsewhere (it is taken out first).
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    // Asks `component` to call this->Notification(component, opRemove) when it goes away.
    // Symmetric, as either of the two may be deleted first.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Receives opInsert / opRemove for components joining or leaving this component's owner
    // tree and for components it asked to watch. The base forwards to owned components;
    // overrides call it.
    virtual void Notification(TComponent* component, TOperation operation);

protected:
    virtual void Loaded() {}

private:
    void SendNotification(TComponent* component, TOperation operation);

    TComponent* m_owner = nullptr;
    std::vector<TComponent*> m_components;
    std::vector<TComponent*> m_freeNotifies;
    std::string m_name;
    intptr_t m_tag = 0;
    unsigned m_state = 0;
};
