// Dispatch of the collection operations on the type of their first argument.
#include "values/generic.h"

#include <string>

#include "values/buffer.h"
#include "values/error.h"
#include "values/list.h"
#include "values/region.h"
#include "values/string.h"
#include "values/table.h"
#include "values/text.h"

namespace {

constexpr int kReferenceDepthLimit = 8;

// A negative count counts from the end; still negative means nothing.
TQVINT fromEnd(TQVINT n, TQVINT count) {
  if (n >= 0) return n;
  int64_t adjusted = static_cast<int64_t>(n) + count;
  return adjusted < 0 ? -1 : static_cast<TQVINT>(adjusted);
}

tqvHandle emptyLike(const tqvHandle& s) {
  tqvListObject* list = tqvAsList(s);
  return list != nullptr ? list->left(0) : tqvMakeString("");
}

}  // namespace

tqvHandle tqvDereference(const tqvHandle& h) {
  tqvHandle current = h;
  for (int depth = 0; current.is(TQV_REFERENCE_TYPE) && depth < kReferenceDepthLimit; ++depth) {
    tqvObject* object = current.object();
    if (object == nullptr) return TQV_NIL;
    current = object->referenceTarget();
  }
  return current.is(TQV_REFERENCE_TYPE) ? TQV_NIL : current;
}

tqvHandle tqvAdd(const tqvHandle& a, const tqvHandle& b) {
  if (!a.is(TQV_STRING_TYPE) && !b.is(TQV_STRING_TYPE)) {
    tqvArgError("tqvAdd(listOrString,listOrString)", 1);
    return TQV_NIL;
  }
  std::string text = tqvToStdString(a, false);
  tqvAppendText(text, b, false);
  return tqvMakeString(text);
}

TQVINT tqvCount(const tqvHandle& collection) {
  TQVINT result = 0;
  tqvObject* object = collection.object();
  if (object == nullptr || !object->opCount(result)) {
    tqvArgError("tqvCount(collection)", 1);
    return 0;
  }
  return result;
}

TQVINT tqvIndexOf(const tqvHandle& s, const tqvHandle& what, TQVINT start) {
  if (s.is(TQV_STRING_TYPE)) {
    if (what.is(TQV_STRING_TYPE)) return tqvFindString(s, what, start);
    if (what.is(TQV_INT_TYPE)) return tqvFindChar(s, what.intValue(), start);
    tqvError("tqvIndexOf(s,hnd,TQVINT): Cannot search for an object of type " +
             std::to_string(what.type()) + "\n");
    return -1;
  }
  if (tqvListObject* list = tqvAsList(s)) return list->indexOf(what, start);
  tqvArgError("tqvIndexOf(s,hnd [,TQVINT])", 1);
  return 0;
}

TQVINT tqvFirstIndex(const tqvHandle& collection) {
  if (tqvListObject* list = tqvAsList(collection)) return list->count() > 0 ? 0 : -1;
  if (tqvTableObject* table = tqvAsTable(collection)) return table->firstSlot();
  tqvArgError("tqvFirstIndex(collection)", 1);
  return 0;
}

TQVINT tqvNextIndex(const tqvHandle& collection, TQVINT i) {
  if (tqvListObject* list = tqvAsList(collection)) {
    return i >= -1 && i + 1 < list->count() ? i + 1 : -1;
  }
  if (tqvTableObject* table = tqvAsTable(collection)) return table->nextSlot(i);
  tqvArgError("tqvNextIndex(collection,TQVINT)", 1);
  return 0;
}

TQVINT tqvCapacity(const tqvHandle& collection) {
  if (tqvListObject* list = tqvAsList(collection)) return list->capacity();
  if (tqvTableObject* table = tqvAsTable(collection)) return table->capacity();
  if (tqvBufferObject* buffer = tqvAsBuffer(collection)) return buffer->capacity();
  tqvArgError("tqvCapacity(collection)", 1);
  return 0;
}

tqvHandle tqvLeft(const tqvHandle& s, TQVINT n) {
  tqvListObject* list = tqvAsList(s);
  if (!s.is(TQV_STRING_TYPE) && list == nullptr) {
    tqvArgError("tqvLeft(stringOrList,TQVINT,TQVINT)", 1);
    return TQV_NIL;
  }
  TQVINT count = list != nullptr ? list->count() : tqvStringLength(s);
  n = fromEnd(n, count);
  if (n < 0) return emptyLike(s);
  return list != nullptr ? list->left(n) : tqvStringLeft(s, n);
}

tqvHandle tqvRight(const tqvHandle& s, TQVINT n) {
  tqvListObject* list = tqvAsList(s);
  if (!s.is(TQV_STRING_TYPE) && list == nullptr) {
    tqvArgError("tqvRight(stringOrList,TQVINT,TQVINT)", 1);
    return TQV_NIL;
  }
  TQVINT count = list != nullptr ? list->count() : tqvStringLength(s);
  n = fromEnd(n, count);
  if (n < 0) return emptyLike(s);
  return list != nullptr ? list->right(n) : tqvStringRight(s, n);
}

tqvHandle tqvMid(const tqvHandle& s, TQVINT start, TQVINT count) {
  if (tqvListObject* list = tqvAsList(s)) return list->mid(start, count);
  if (s.is(TQV_STRING_TYPE)) return tqvStringMid(s, start, count);
  tqvArgError("tqvMid(stringOrList,TQVINT,TQVINT)", 1);
  return TQV_NIL;
}

tqvHandle tqvGet(const tqvHandle& collection, TQVINT i) {
  tqvHandle target = tqvDereference(collection);
  tqvHandle result;
  tqvObject* object = target.object();
  if (object == nullptr || !object->opGetAt(i, result)) {
    tqvArgError("tqvGet(collection,TQVINT)", 1);
    return TQV_NIL;
  }
  return result;
}

tqvHandle tqvGet(const tqvHandle& container, const tqvHandle& key) {
  tqvHandle target = tqvDereference(container);
  tqvHandle result;
  tqvObject* object = target.object();
  if (object == nullptr || !object->opGetKey(key, result)) {
    tqvArgError("tqvGet(tableOrCtrlOrForm,hnd)", 1);
    return TQV_NIL;
  }
  return result;
}

tqvHandle tqvGet(const tqvHandle& container, std::string_view key) {
  return tqvGet(container, tqvMakeString(key));
}

bool tqvGetChars(const tqvHandle& s, char* array, TQVINT size) {
  if (s.is(TQV_STRING_TYPE)) return tqvCopyChars(s, array, size);
  if (tqvBufferObject* buffer = tqvAsBuffer(s)) {
    buffer->copyText(array, size);
    return true;
  }
  tqvArgError("tqvGetChars(stringOrBuf,TQVCHAR TQVPTR,TQVINT)", 1);
  return false;
}

tqvHandle tqvTokenize(const tqvHandle& s, const tqvHandle& delimiters) {
  std::string_view text;
  if (!tqvBytesOf(s, text)) {
    tqvArgError("tqvTokenize(stringOrBuffer,string)", 1);
    return TQV_NIL;
  }
  std::string set = tqvToStdString(delimiters, false);
  if (set.size() > 255) {
    tqvError("tqvTokenize: Delimiter set too large: " + set);
    return TQV_NIL;
  }
  bool isDelimiter[256] = {};
  for (char c : set) isDelimiter[static_cast<unsigned char>(c)] = true;
  isDelimiter[0] = false;

  tqvHandle result = tqvMakeList();
  tqvListObject* list = tqvAsList(result);
  if (list == nullptr) return result;
  size_t i = 0;
  for (;;) {
    size_t start = i;
    while (i < text.size() && text[i] != '\0' &&
           !isDelimiter[static_cast<unsigned char>(text[i])]) {
      ++i;
    }
    list->append(tqvMakeString(text.substr(start, i - start)));
    if (i >= text.size() || text[i] == '\0') break;
    ++i;  // exactly one delimiter
    if (i >= text.size() || text[i] == '\0') {
      list->append(tqvMakeString(""));
      break;
    }
  }
  return result;
}

void tqvPut(const tqvHandle& list, TQVINT n, const tqvHandle& value) {
  tqvObject* object = list.object();
  if (object == nullptr || !object->opPutAt(n, value)) tqvArgError("tqvPut(lst,n,obj)", 1);
}

void tqvPut(const tqvHandle& container, const tqvHandle& key, const tqvHandle& value) {
  tqvHandle target = tqvDereference(container);
  tqvObject* object = target.object();
  if (object == nullptr || !object->opPutKey(key, value)) {
    tqvArgError("tqvPut(tblOrCtrlOrFrm,obj,obj)", 1);
  }
}

void tqvPut(const tqvHandle& container, std::string_view key, const tqvHandle& value) {
  tqvPut(container, tqvMakeString(key), value);
}

tqvHandle tqvGetKey(const tqvHandle& table, TQVINT i) {
  tqvHandle target = tqvDereference(table);
  if (tqvTableObject* t = tqvAsTable(target)) return t->keyAt(i);
  tqvArgError("tqvGetKey(tblOrCtrlOrFrm,TQVINT)", 1);
  return TQV_NIL;
}

void tqvRemoveKey(const tqvHandle& container, const tqvHandle& key) {
  tqvHandle target = tqvDereference(container);
  tqvObject* object = target.object();
  if (object == nullptr || !object->opRemoveKey(key)) {
    tqvArgError("tqvRemoveKey(tblOrCtrlOrFrm,obj)", 1);
  }
}

bool tqvContainsKey(const tqvHandle& container, const tqvHandle& key) {
  tqvHandle target = tqvDereference(container);
  tqvObject* object = target.object();
  bool result = false;
  if (object == nullptr || !object->opContainsKey(key, result)) {
    tqvArgError("tqvContainsKey(tblOrCtrlOrFrm,obj)", 1);
    return false;
  }
  return result;
}

bool tqvContainsKey(const tqvHandle& container, std::string_view key) {
  return tqvContainsKey(container, tqvMakeString(key));
}

void tqvAddItem(const tqvHandle& list, const tqvHandle& value, TQVINT times) {
  tqvObject* object = list.object();
  if (object == nullptr || !object->opAddItem(value, times)) {
    tqvArgError("tqvAddItem(lstOrArchive,obj [,TQVINT])", 1);
  }
}

tqvHandle tqvCopy(const tqvHandle& value) {
  switch (value.type()) {
    case TQV_NIL_TYPE:
    case TQV_BOOLEAN_TYPE:
    case TQV_INT_TYPE:
    case TQV_FLOAT_TYPE:
    case TQV_FONT_TYPE:
    case TQV_IMAGE_TYPE:
    case TQV_SOUND_TYPE:
    case TQV_MOVIE_TYPE:
    case TQV_REFERENCE_TYPE:
      return value;
    case TQV_STRING_TYPE:
      return tqvMakeString(tqvStringView(value));
    case TQV_BUFFER_TYPE: {
      std::string_view bytes = tqvAsBuffer(value) != nullptr ? tqvAsBuffer(value)->bytes() : "";
      tqvHandle copy = tqvBuffer(static_cast<TQVINT>(bytes.size()));
      if (tqvBufferObject* buffer = tqvAsBuffer(copy); buffer != nullptr && buffer->data()) {
        std::copy(bytes.begin(), bytes.end(), buffer->data());
        buffer->setLength(static_cast<TQVINT>(bytes.size()));
      }
      return copy;
    }
    case TQV_LIST_TYPE: {
      tqvListObject* list = tqvAsList(value);
      return list != nullptr ? list->deepCopy() : TQV_NIL;
    }
    case TQV_TABLE_TYPE: {
      tqvTableObject* table = tqvAsTable(value);
      return table != nullptr ? table->copy() : TQV_NIL;
    }
    case TQV_REGION_TYPE: {
      tqvRegionObject* r = tqvAsRegion(value);
      if (r == nullptr) return TQV_NIL;
      std::vector<tqvPoint> points(r->points(), r->points() + std::max(r->pointCount() - 1, 0));
      if (!r->isPolygon()) return tqvMakeRect(r->left(), r->top(), r->right(), r->bottom());
      return tqvMakePolygon(points, r->left(), r->top(), r->right(), r->bottom());
    }
    default:
      tqvArgError("tqvCopy( LstTblStr )", 1);
      return TQV_NIL;
  }
}

namespace {

TQVINT geometry(const tqvHandle& h, tqvGeometry which, const char* signature) {
  TQVINT result = 0;
  tqvObject* object = h.object();
  if (object == nullptr || !object->opGeometry(which, result)) {
    tqvArgError(signature, 1);
    return 0;
  }
  return result;
}

TQVINT media(const tqvHandle& h, tqvMediaOp op, const tqvMediaArgs& args, const char* signature) {
  tqvHandle target = tqvDereference(h);
  TQVINT result = 0;
  tqvObject* object = target.object();
  if (object == nullptr || !object->opMedia(op, args, result)) {
    tqvArgError(signature, 1);
    return 0;
  }
  return result;
}

}  // namespace

TQVINT tqvLeft(const tqvHandle& h) {
  return geometry(h, tqvGeometry::Left, "tqvLeft(ctrlFrmMov)");
}
TQVINT tqvTop(const tqvHandle& h) {
  return geometry(h, tqvGeometry::Top, "tqvTop(ctrlFrmMov)");
}
TQVINT tqvWidth(const tqvHandle& h) {
  return geometry(h, tqvGeometry::Width, "tqvWidth(imgMovTxtRgn)");
}
TQVINT tqvHeight(const tqvHandle& h) {
  return geometry(h, tqvGeometry::Height, "tqvHeight(imgMovTxtRgn)");
}

bool tqvContainsPoint(const tqvHandle& region, TQVINT x, TQVINT y) {
  tqvRegionObject* r = tqvAsRegion(region);
  if (r == nullptr) {
    tqvArgError("tqvContainsPoint(rgn,TQVINT,TQVINT)", 1);
    return false;
  }
  return r->contains(x, y);
}

TQVINT tqvPlay(const tqvHandle& h, TQVINT from, TQVINT to, TQVBOOL wait) {
  return media(h, tqvMediaOp::Play, {from, to, wait}, "tqvPlay(movOrSnd [,TQVINT,TQVINT,TQVBOOL])");
}
TQVINT tqvStop(const tqvHandle& h) {
  return media(h, tqvMediaOp::Stop, {}, "tqvStop(movOrSnd)");
}
TQVINT tqvIsPlaying(const tqvHandle& h) {
  return media(h, tqvMediaOp::IsPlaying, {}, "tqvIsPlaying(movOrSnd)");
}
TQVINT tqvShow(const tqvHandle& h) {
  return media(h, tqvMediaOp::Show, {}, "tqvShow(movie)");
}
TQVINT tqvHide(const tqvHandle& h) {
  return media(h, tqvMediaOp::Hide, {}, "tqvHide(mov)");
}
TQVINT tqvMove(const tqvHandle& h, TQVINT x, TQVINT y) {
  return media(h, tqvMediaOp::Move, {x, y, 0}, "tqvMove(mov)");
}
TQVINT tqvSetSize(const tqvHandle& h, TQVINT width, TQVINT height) {
  return media(h, tqvMediaOp::SetSize, {width, height, 0}, "tqvSetSize(mov)");
}
