// The property table behind forms and controls.
#include "framework/property_object.h"

#include "storage/encoding.h"
#include "values/error.h"
#include "values/string.h"
#include "values/table.h"

namespace {

// Controls and forms print and encode their properties, which may hold them again: a
// control list that holds itself must end somewhere.
constexpr int kEncodeNestingLimit = 64;
int encodeNesting = 0;

}  // namespace

tqvPropertyObject::tqvPropertyObject(const tqvHandle& definition)
    : properties_(definition.is(TQV_TABLE_TYPE) ? definition : tqvTable(4)) {}

tqvPropertyObject::~tqvPropertyObject() = default;

void tqvPropertyObject::print(std::string& out, TQVINT type, bool notation) const {
  out += '(';
  out += printedKind();
  out += ' ';
  if (tqvTableObject* table = tqvAsTable(properties_)) table->printBody(out, notation);
}

void tqvPropertyObject::encodePayload(const tqvHandle& stream) const {
  tqvEncodeNested(stream, properties_);
}

tqvHandle tqvPropertyObject::keyOf(std::string_view key) {
  return tqvMakeString(key);
}

bool tqvPropertyObject::has(const tqvHandle& key) {
  tqvTableObject* table = tqvAsTable(properties_);
  return table != nullptr && table->contains(key);
}

tqvHandle tqvPropertyObject::get(const tqvHandle& key) {
  tqvTableObject* table = tqvAsTable(properties_);
  return table != nullptr ? table->valueOf(key) : tqvHandle();
}

void tqvPropertyObject::put(const tqvHandle& key, const tqvHandle& value) {
  if (tqvTableObject* table = tqvAsTable(properties_)) table->store(key, value);
}

void tqvPropertyObject::removeKey(const tqvHandle& key) {
  if (tqvTableObject* table = tqvAsTable(properties_)) table->remove(key);
}

bool tqvPropertyObject::opGetKey(const tqvHandle& key, tqvHandle& result) {
  result = get(key);
  return true;
}

bool tqvPropertyObject::opPutKey(const tqvHandle& key, const tqvHandle& value) {
  put(key, value);
  return true;
}

bool tqvPropertyObject::opRemoveKey(const tqvHandle& key) {
  removeKey(key);
  return true;
}

bool tqvPropertyObject::opContainsKey(const tqvHandle& key, bool& result) {
  result = has(key);
  return true;
}

bool tqvPropertyObject::opGeometry(tqvGeometry which, TQVINT& result) {
  result = geometry(which);
  return true;
}

void tqvEncodeNested(const tqvHandle& stream, const tqvHandle& properties) {
  if (encodeNesting >= kEncodeNestingLimit) {
    tqvError("Cannot encode controls and forms nested deeper than " +
             std::to_string(kEncodeNestingLimit));
    tqvEncode(stream, tqvHandle());
    return;
  }
  ++encodeNesting;
  tqvEncode(stream, properties);
  --encodeNesting;
}
