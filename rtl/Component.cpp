// Ownership and removal notification between components.
#include "rtl/Component.h"
#include "rtl/Exceptions.h"
#include "rtl/Strings.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    m_state |= csDestroying;
    // Everyone who watches this component forgets it first...
    while (!m_freeNotifies.empty()) {
        TComponent* other = m_freeNotifies.back();
        m_freeNotifies.pop_back();
        auto& theirs = other->m_freeNotifies;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        other->Notification(this, opRemove);
    }
    // ...then the owned components go, the last created first...
    while (!m_components.empty()) {
        TComponent* child = m_components.back();
        delete child; // its destructor takes it out of m_components
    }
    // ...and finally the owner's tree hears that this one left.
    if (m_owner) m_owner->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const {
    CheckListIndex(index, ComponentCount());
    return m_components[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const {
    if (!m_owner) return -1;
    auto& list = m_owner->m_components;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : m_components)
        if (SameText(c->m_name, name)) return c;
    return nullptr;
}

void TComponent::SetName(const std::string& name) {
    if (name == m_name) return;
    if (m_owner && !name.empty()) {
        TComponent* other = m_owner->FindComponent(name);
        if (other && other != this)
            throw EComponentError(Format("A component named %s already exists", name.c_str()));
    }
    m_name = name;
}

void TComponent::SetComponentStateFlag(unsigned flag, bool on) {
    if (on)
        m_state |= flag;
    else
        m_state &= ~flag;
}

void TComponent::EndLoading() {
    m_state &= ~(csLoading | csReading);
    Loaded();
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->m_owner == this) return;
    if (component->m_owner) component->m_owner->RemoveComponent(component);
    if (!component->m_name.empty() && FindComponent(component->m_name))
        throw EComponentError(
            Format("A component named %s already exists", component->m_name.c_str()));
    m_components.push_back(component);
    component->m_owner = this;
    SendNotification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (!component || component->m_owner != this) return;
    SendNotification(component, opRemove);
    m_components.erase(std::remove(m_components.begin(), m_components.end(), component),
                       m_components.end());
    component->m_owner = nullptr;
}

void TComponent::SendNotification(TComponent* component, TOperation operation) {
    // The owner hears it, and through the base Notification every component it owns.
    Notification(component, operation);
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (std::find(m_freeNotifies.begin(), m_freeNotifies.end(), component) == m_freeNotifies.end())
        m_freeNotifies.push_back(component);
    auto& theirs = component->m_freeNotifies;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) return;
    m_freeNotifies.erase(std::remove(m_freeNotifies.begin(), m_freeNotifies.end(), component),
                         m_freeNotifies.end());
    auto& theirs = component->m_freeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component) RemoveFreeNotification(component);
    // Copy: a handler may delete or add components while we walk.
    std::vector<TComponent*> owned = m_components;
    for (TComponent* c : owned) {
        if (c == component) continue;
        if (std::find(m_components.begin(), m_components.end(), c) == m_components.end()) continue;
        c->Notification(component, operation);
    }
}
