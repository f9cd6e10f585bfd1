// Region values: a rectangle, a point (a rectangle of no size) or a closed polygon.
#pragma once

#include <string>
#include <vector>

#include "values/handle.h"

struct tqvPoint {
  TQVINT x;
  TQVINT y;
};

class tqvRegionObject : public tqvObject {
 public:
  tqvRegionObject(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom);
  ~tqvRegionObject() override;

  TQVINT left() const { return left_; }
  TQVINT top() const { return top_; }
  TQVINT right() const { return right_; }
  TQVINT bottom() const { return bottom_; }
  // The stored points: a polygon's points followed by a copy of the first; 0 for a
  // rectangle or point.
  TQVINT pointCount() const { return count_; }
  const tqvPoint* points() const { return points_; }
  bool isPolygon() const { return count_ > 0; }
  bool isPoint() const { return !isPolygon() && left_ == right_ && top_ == bottom_; }

  // Replaces the points with `points` plus a closing copy of the first. Returns false
  // when the memory is refused.
  bool setPolygon(const std::vector<tqvPoint>& points);
  // Bounds inclusive; polygons use an even-odd crossing test.
  bool contains(TQVINT x, TQVINT y) const;

  void print(std::string& out, TQVINT type, bool notation) const override;
  bool opGeometry(tqvGeometry which, TQVINT& result) override;

 private:
  TQVINT left_, top_, right_, bottom_;
  TQVINT count_ = 0;
  tqvPoint* points_ = nullptr;
};

tqvHandle tqvMakeRect(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom);
tqvHandle tqvMakePoint(TQVINT x, TQVINT y);
// A polygon with the given bounding rectangle.
tqvHandle tqvMakePolygon(const std::vector<tqvPoint>& points, TQVINT left, TQVINT top, TQVINT right,
                         TQVINT bottom);
tqvRegionObject* tqvAsRegion(const tqvHandle& h);

// Nothing this far from the origin can show: edges that content gives are held within
// it, so that sums of a few of them stay in range.
constexpr TQVINT TQV_FARTHEST = 1 << 24;
// The bounding box of a region, each edge held within TQV_FARTHEST of the origin and the
// far edges not before the near ones; false (all edges 0) when `value` is not a region.
bool tqvRegionEdges(const tqvHandle& value, TQVINT& left, TQVINT& top, TQVINT& right,
                    TQVINT& bottom);
// One coordinate held within TQV_FARTHEST of the origin.
TQVINT tqvNear(TQVINT value);
// A coordinate or size that content gives (an origin, a width) as a number held within
// TQV_FARTHEST; `fallback` when `value` is not a number.
TQVINT tqvCoordinateOf(const tqvHandle& value, TQVINT fallback);
