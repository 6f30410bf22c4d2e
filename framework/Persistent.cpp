#include "Persistent.h"

#include "Exceptions.h"

void TPersistent::Assign(const TPersistent& source) {
    source.AssignTo(*this);
}

void TPersistent::AssignTo(TPersistent& destination) const {
    destination.AssignError(*this);
}

void TPersistent::AssignError(const TPersistent& source) const {
    throw EConvertError("Cannot assign a " + source.ClassName() + " to a " + ClassName());
}
