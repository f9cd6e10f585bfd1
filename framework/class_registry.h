// The class registry: class prototypes by name, in the globals entry "Classes".
#pragma once

#include <string_view>

#include "values/handle.h"

// A class prototype: an object of the class itself, built with nil data, that names its
// class and makes new instances from definition tables. Forms and controls derive from it.
class tqvClassObject : public tqvObject {
 public:
  virtual std::string_view className() const = 0;
  virtual tqvHandle makeInstance(const tqvHandle& definition) = 0;
};

// Registers a prototype (a value of type code 5 holding a tqvClassObject) under its class
// name. A name already registered reports "Class already registered: " + name and
// changes nothing; a value that is not a prototype reports a bad argument 1 of
// "tqvRegisterClass(prototype)".
void tqvRegisterClass(const tqvHandle& prototype);
// The prototype registered under exactly `name`, or nil.
tqvHandle tqvFindClass(std::string_view name);
// The class object of a prototype value, or null.
tqvClassObject* tqvAsClass(const tqvHandle& prototype);
