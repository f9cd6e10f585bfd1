// Default behaviour of heap values: pooled memory, identity hash, type-name printing, and
// hooks that decline every generic operation.
#include "values/object.h"

#include <cstdint>

#include "values/convert.h"
#include "values/handle.h"
#include "values/pool.h"

void* tqvObject::operator new(size_t size) noexcept {
  return tqvPoolAlloc(size);
}

void tqvObject::operator delete(void* block, size_t size) noexcept {
  tqvPoolFree(block, size);
}

TQVINT tqvObject::hash() const {
  auto address = reinterpret_cast<uintptr_t>(this);
  return static_cast<TQVINT>(static_cast<uint32_t>(address ^ (address >> 32)));
}

void tqvObject::print(std::string& out, TQVINT type, bool notation) const {
  printTypeName(out, type, notation);
}

void tqvObject::printTypeName(std::string& out, TQVINT type, bool notation) {
  out += '<';
  out += tqvTypeName(type);
  out += notation ? ">" : " object>";
}

bool tqvObject::opCount(TQVINT&) {
  return false;
}
bool tqvObject::opGetAt(TQVINT, tqvHandle&) {
  return false;
}
bool tqvObject::opGetKey(const tqvHandle&, tqvHandle&) {
  return false;
}
bool tqvObject::opPutAt(TQVINT, const tqvHandle&) {
  return false;
}
bool tqvObject::opPutKey(const tqvHandle&, const tqvHandle&) {
  return false;
}
bool tqvObject::opRemoveKey(const tqvHandle&) {
  return false;
}
bool tqvObject::opContainsKey(const tqvHandle&, bool&) {
  return false;
}
bool tqvObject::opAddItem(const tqvHandle&, TQVINT) {
  return false;
}
bool tqvObject::opGeometry(tqvGeometry, TQVINT&) {
  return false;
}
bool tqvObject::opMedia(tqvMediaOp, const tqvMediaArgs&, TQVINT&) {
  return false;
}
tqvHandle tqvObject::referenceTarget() {
  return TQV_NIL;
}
