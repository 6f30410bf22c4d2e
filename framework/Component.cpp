#include "Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) : OwnerComponent(owner) {
    if (OwnerComponent)
        OwnerComponent->Insert(this);
}

TComponent::~TComponent() {
    while (!FreeNotifies.empty()) {
        TComponent* watcher = FreeNotifies.back();
        FreeNotifies.pop_back();
        std::erase(watcher->FreeNotifies, this);
        watcher->Notification(this, TOperation::opRemove);
    }
    while (!Owned.empty()) {
        TComponent* last = Owned.back();
        delete last; // its destructor removes it from Owned
    }
    if (OwnerComponent)
        OwnerComponent->Remove(this);
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    for (TComponent* component : Owned)
        if (component->Name == name)
            return component;
    return nullptr;
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    // An owner passes the news on to everything it owns.
    if (component != this)
        for (TComponent* owned : Owned)
            if (owned != component)
                owned->Notification(component, operation);
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this ||
        std::find(FreeNotifies.begin(), FreeNotifies.end(), component) != FreeNotifies.end())
        return;
    FreeNotifies.push_back(component);
    component->FreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component)
        return;
    std::erase(FreeNotifies, component);
    std::erase(component->FreeNotifies, this);
}

void TComponent::Insert(TComponent* component) {
    Owned.push_back(component);
    Notification(component, TOperation::opInsert);
}

void TComponent::Remove(TComponent* component) {
    const auto found = std::find(Owned.begin(), Owned.end(), component);
    if (found == Owned.end())
        return;
    Owned.erase(found);
    Notification(component, TOperation::opRemove);
}
