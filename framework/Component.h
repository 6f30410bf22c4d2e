#pragma once
// The root of the form framework: a component has an owner that frees it, a name, a tag, and
// hears when its siblings come and go (so it can drop references to a component being freed).

#include <string>
#include <vector>

enum class TOperation { opInsert, opRemove };

class TComponent {
public:
    explicit TComponent(TComponent* owner = nullptr);
    // Frees every owned component (the last inserted first), then leaves the owner, which
    // tells the remaining siblings with Notification(this, opRemove).
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return OwnerComponent; }
    const std::vector<TComponent*>& Components() const { return Owned; }
    // The owned component of that name, or null.
    TComponent* FindComponent(const std::string& name) const;

    // Called once the owning form is built completely; ends the loading state, so overrides
    // call it first.
    virtual void Loaded() { Loading = false; }
    // A component owned by the same owner was inserted or is being removed.
    virtual void Notification(TComponent* component, TOperation operation);
    // Asks `component` to call Notification(component, opRemove) on this one when it is
    // destroyed, whoever owns either (a label's focus control may live on another page).
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);
    // True between construction and Loaded while a form is being built.
    bool IsLoading() const { return Loading; }
    void SetLoading(bool loading) { Loading = loading; }

    std::string Name;
    int Tag = 0;

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);

    TComponent* OwnerComponent;
    std::vector<TComponent*> Owned;
    // Components this one tells of its destruction; each lists this one as well.
    std::vector<TComponent*> FreeNotifies;
    bool Loading = false;
};
