// The member controls of a container control (groups and radio groups).
#pragma once

#include <string_view>

#include "values/handle.h"

class tqvControlObject;

// The controls of `container`'s "Members" list (controls, references, or names of the
// active form's controls); without that list, the active form's controls whose
// `memberKey` property equals the container's "Name" (when `memberKey` is not empty).
// The container itself and entries that are not controls are left out.
tqvHandle tqvMemberControls(tqvControlObject& container, std::string_view memberKey);
// The active form's control named `name`, or nil.
tqvHandle tqvFindFormControl(const tqvHandle& name);
