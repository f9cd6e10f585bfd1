// Making movie values and their generic operations.
#include "media/movie.h"

#include "media/media_services.h"
#include "media/movie_player.h"
#include "values/error.h"
#include "values/string.h"
#include "values/text.h"

tqvMovieObject::tqvMovieObject(const tqvHandle& path, std::string kind, std::string alias,
                               bool fullScreen)
    : path_(path), kind_(std::move(kind)), alias_(std::move(alias)), fullScreen_(fullScreen) {}

tqvMovieObject::~tqvMovieObject() {
  if (state_.player != nullptr) state_.player->forget(*this);
}

namespace {

tqvMoviePlayer* player() {
  tqvMediaServices* media = tqvMedia();
  return media != nullptr ? &media->movies() : nullptr;
}

}  // namespace

bool tqvMovieObject::opMedia(tqvMediaOp op, const tqvMediaArgs& args, TQVINT& result) {
  result = 0;
  tqvMoviePlayer* p = player();
  if (p == nullptr) return true;
  bool done = false;
  switch (op) {
    case tqvMediaOp::Play:
      done = p->play(*this, args.a, args.b, args.c != 0);
      break;
    case tqvMediaOp::Stop:
      done = p->stop(*this);
      break;
    case tqvMediaOp::IsPlaying:
      done = state_.playing;
      break;
    case tqvMediaOp::Show:
      done = p->show(*this);
      break;
    case tqvMediaOp::Hide:
      done = p->hide(*this);
      break;
    case tqvMediaOp::Move:
      done = p->move(*this, args.a, args.b);
      break;
    case tqvMediaOp::SetSize:
      done = p->setSize(*this, args.a, args.b);
      break;
  }
  result = done ? 1 : 0;
  return true;
}

bool tqvMovieObject::opGeometry(tqvGeometry which, TQVINT& result) {
  switch (which) {
    case tqvGeometry::Left:
      result = state_.x;
      break;
    case tqvGeometry::Top:
      result = state_.y;
      break;
    case tqvGeometry::Width:
      result = state_.width > 0 ? state_.width : state_.naturalWidth;
      break;
    case tqvGeometry::Height:
      result = state_.height > 0 ? state_.height : state_.naturalHeight;
      break;
  }
  return true;
}

bool tqvMovieObject::opCount(TQVINT& result) {
  tqvMoviePlayer* p = player();
  result = p != nullptr ? p->frameCount(*this) : 0;
  return true;
}

tqvHandle tqvMakeMovie(const tqvHandle& path, bool fullScreen) {
  if (!path.is(TQV_STRING_TYPE)) return TQV_NIL;
  std::string_view text = tqvStringView(path);
  size_t dot = text.rfind('.');
  std::string extension =
      dot == std::string_view::npos
          ? std::string()
          : std::string(tqvStringView(tqvLower(tqvMakeString(text.substr(dot + 1)))));
  std::string kind = extension == "avi" ? "AVI" : extension == "mpg" ? "MPG" : "";
  if (kind.empty()) {
    tqvError("Unrecognized movie type: " + std::string(text));
    return TQV_NIL;
  }
  tqvMoviePlayer* p = player();
  std::string alias = p != nullptr ? p->nextAlias() : "0";
  return tqvHandle::wrap(new tqvMovieObject(path, kind, alias, fullScreen), TQV_MOVIE_TYPE);
}

tqvMovieObject* tqvAsMovie(const tqvHandle& movie) {
  return movie.is(TQV_MOVIE_TYPE) ? dynamic_cast<tqvMovieObject*>(movie.object()) : nullptr;
}
