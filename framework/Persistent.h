#pragma once
// The framework's persistent object: something a component owns and copies from another of
// its kind (a gradient, a list of colours). Copying between kinds that do not know each other
// fails with the framework's conversion error.

#include <functional>
#include <string>

class TPersistent;

// A change notice from a persistent object; the sender is the object that changed.
using TPersistentNotifyEvent = std::function<void(TPersistent* sender)>;

class TPersistent {
public:
    TPersistent() = default;
    virtual ~TPersistent() = default;
    TPersistent(const TPersistent&) = delete;
    TPersistent& operator=(const TPersistent&) = delete;

    // Copies `source` into this object. The default offers the copy to the source
    // (source.AssignTo(*this)); when neither side knows the other, EConvertError
    // "Cannot assign a <source> to a <this>".
    virtual void Assign(const TPersistent& source);
    // The class name the conversion error shows.
    virtual std::string ClassName() const { return "TPersistent"; }

protected:
    // Copies this object into `destination`; the default fails as above.
    virtual void AssignTo(TPersistent& destination) const;
    // Raises the conversion error for an assignment from `source` to this object.
    [[noreturn]] void AssignError(const TPersistent& source) const;
};
