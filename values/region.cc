// Region storage, point containment and the region print forms.
#include "values/region.h"

#include <algorithm>
#include <cstring>

#include "values/convert.h"
#include "values/pool.h"

tqvRegionObject::tqvRegionObject(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom)
    : left_(left), top_(top), right_(right), bottom_(bottom) {}

tqvRegionObject::~tqvRegionObject() {
  tqvPoolFree(points_, sizeof(tqvPoint) * static_cast<size_t>(count_));
}

bool tqvRegionObject::setPolygon(const std::vector<tqvPoint>& points) {
  tqvPoolFree(points_, sizeof(tqvPoint) * static_cast<size_t>(count_));
  points_ = nullptr;
  count_ = 0;
  if (points.empty()) return true;
  size_t n = points.size() + 1;
  points_ = static_cast<tqvPoint*>(tqvPoolAlloc(sizeof(tqvPoint) * n));
  if (points_ == nullptr) return false;
  std::memcpy(points_, points.data(), sizeof(tqvPoint) * points.size());
  points_[n - 1] = points.front();
  count_ = static_cast<TQVINT>(n);
  return true;
}

bool tqvRegionObject::contains(TQVINT x, TQVINT y) const {
  if (x < left_ || x > right_ || y < top_ || y > bottom_) return false;
  if (!isPolygon()) return true;
  // Even-odd rule: count the edges that a ray from the point to the right crosses. An
  // edge counts when it spans y with one end above (y1 > y) and the other not, so a
  // vertex on the ray is counted once for the two edges that meet there.
  bool inside = false;
  for (TQVINT i = 0; i + 1 < count_; ++i) {
    const tqvPoint& a = points_[i];
    const tqvPoint& b = points_[i + 1];
    if ((a.y > y) == (b.y > y)) continue;
    double crossX = a.x + (static_cast<double>(y) - a.y) * (static_cast<double>(b.x) - a.x) /
                              (static_cast<double>(b.y) - a.y);
    if (x < crossX) inside = !inside;
  }
  return inside;
}

void tqvRegionObject::print(std::string& out, TQVINT, bool) const {
  if (isPolygon()) {
    out += "(region";
    for (TQVINT i = 0; i + 1 < count_; ++i) {
      out += " (" + std::to_string(points_[i].x) + " " + std::to_string(points_[i].y) + ")";
    }
    out += ')';
  } else if (isPoint()) {
    out += "(point " + std::to_string(left_) + " " + std::to_string(top_) + ")";
  } else {
    out += "(rect " + std::to_string(left_) + " " + std::to_string(top_) + " " +
           std::to_string(static_cast<int64_t>(right_) - left_) + " " +
           std::to_string(static_cast<int64_t>(bottom_) - top_) + ")";
  }
}

bool tqvRegionObject::opGeometry(tqvGeometry which, TQVINT& result) {
  switch (which) {
    case tqvGeometry::Left:
      result = left_;
      break;
    case tqvGeometry::Top:
      result = top_;
      break;
    case tqvGeometry::Width:
      result = static_cast<TQVINT>(static_cast<uint32_t>(right_) - static_cast<uint32_t>(left_));
      break;
    case tqvGeometry::Height:
      result = static_cast<TQVINT>(static_cast<uint32_t>(bottom_) - static_cast<uint32_t>(top_));
      break;
  }
  return true;
}

tqvHandle tqvMakeRect(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom) {
  return tqvHandle::wrap(new tqvRegionObject(left, top, right, bottom), TQV_REGION_TYPE);
}

tqvHandle tqvMakePoint(TQVINT x, TQVINT y) {
  return tqvMakeRect(x, y, x, y);
}

tqvHandle tqvMakePolygon(const std::vector<tqvPoint>& points, TQVINT left, TQVINT top, TQVINT right,
                         TQVINT bottom) {
  auto* region = new tqvRegionObject(left, top, right, bottom);
  if (region != nullptr) region->setPolygon(points);
  return tqvHandle::wrap(region, TQV_REGION_TYPE);
}

tqvRegionObject* tqvAsRegion(const tqvHandle& h) {
  return h.is(TQV_REGION_TYPE) ? h.as<tqvRegionObject>() : nullptr;
}

bool tqvRegionEdges(const tqvHandle& value, TQVINT& left, TQVINT& top, TQVINT& right,
                    TQVINT& bottom) {
  left = top = right = bottom = 0;
  tqvRegionObject* r = tqvAsRegion(value);
  if (r == nullptr) return false;
  left = tqvNear(r->left());
  top = tqvNear(r->top());
  right = std::max(tqvNear(r->right()), left);
  bottom = std::max(tqvNear(r->bottom()), top);
  return true;
}

TQVINT tqvNear(TQVINT value) {
  return std::clamp<TQVINT>(value, -TQV_FARTHEST, TQV_FARTHEST);
}

TQVINT tqvCoordinateOf(const tqvHandle& value, TQVINT fallback) {
  return tqvNear(tqvNumberOf(value, fallback));
}
