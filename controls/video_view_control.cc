// The video view.
#include "controls/video_view_control.h"

#include <algorithm>

#include "controls/control_painter.h"
#include "controls/standard_form.h"
#include "framework/environment.h"
#include "framework/form_object.h"
#include "media/movie.h"
#include "media/movie_player.h"
#include "media/resources.h"
#include "storage/file_stream.h"
#include "values/convert.h"
#include "values/generic.h"
#include "values/string.h"

tqvHandle tqvLocateVideo(const tqvHandle& name) {
  if (!name.is(TQV_STRING_TYPE)) return tqvHandle();
  std::string file(tqvStringView(name));
  if (file.find('.') == std::string::npos) {
    tqvHandle extension = tqvGetEnvironment("VideoExtension", tqvMakeString("avi"));
    file += "." + std::string(tqvStringView(extension));
  }
  tqvHandle first;
  for (auto [key, fallback] : {std::pair{"VideoPath", "Movies"}, std::pair{"AltVideoPath", ""}}) {
    tqvHandle directory = tqvGetEnvironment(key, tqvMakeString(fallback));
    if (!directory.is(TQV_STRING_TYPE) || tqvStringLength(directory) == 0) continue;
    tqvHandle path = tqvPathJoin(tqvPathJoin(tqvMediaRoot(), directory), tqvMakeString(file));
    if (tqvFileExists(path)) return path;
    if (first.isNil()) first = path;
  }
  return first.isNil() ? tqvPathJoin(tqvMediaRoot(), tqvMakeString(file)) : first;
}

namespace {

bool shown(const tqvHandle& movie) {
  tqvMovieObject* m = tqvAsMovie(movie);
  return m != nullptr && m->state().shown;
}

}  // namespace

void tqvVideoViewControl::reinitialize(const tqvHandle& name) {
  uninitialize();
  movie_ = tqvMakeMovie(tqvLocateVideo(name), true);
  put(keyOf("Status"), tqvMakeString("closed"));
  if (isVisible() && onScreen()) draw();
}

bool tqvVideoViewControl::show() {
  if (movie_.isNil() || tqvCount(movie_) <= 0) return false;  // counting opens it
  TQVINT width = std::max<TQVINT>(tqvWidth(movie_), 1);
  TQVINT height = std::max<TQVINT>(tqvHeight(movie_), 1);
  TQVINT boxWidth = hotSpotWidth();
  TQVINT boxHeight = hotSpotHeight();
  if (boxWidth > 0 && boxHeight > 0) {
    // Fitted into the hot spot, keeping its proportions, centred.
    double scale =
        std::min(static_cast<double>(boxWidth) / width, static_cast<double>(boxHeight) / height);
    width = std::max<TQVINT>(static_cast<TQVINT>(width * scale), 1);
    height = std::max<TQVINT>(static_cast<TQVINT>(height * scale), 1);
  }
  tqvFormObject* form = activeFormObject();
  TQVINT originX = form != nullptr ? form->originX() : 0;
  TQVINT originY = form != nullptr ? form->originY() : 0;
  tqvHide(movie_);
  tqvMove(movie_, tqvSaturatingAdd(originX, hotSpotLeft() + (boxWidth - width) / 2),
          tqvSaturatingAdd(originY, hotSpotTop() + (boxHeight - height) / 2));
  tqvSetSize(movie_, width, height);
  return tqvShow(movie_) != 0;
}

bool tqvVideoViewControl::start() {
  if (!shown(movie_) && !show()) return false;
  if (tqvPlay(movie_, 0, -1, flag("PlayTillStoped")) == 0) return false;
  put(keyOf("Status"), tqvMakeString("playing"));
  tqvSetFormVideo(movie_, handle());
  return true;
}

void tqvVideoViewControl::uninitialize() {
  if (movie_.isNil()) return;
  tqvCloseMovie(movie_);
  movie_ = tqvHandle();
  put(keyOf("Status"), tqvMakeString("closed"));
  if (isVisible() && onScreen()) draw();
}

void tqvVideoViewControl::draw() {
  {
    tqvPainter painter;
    painter.fill(hotSpotLeft(), hotSpotTop(), hotSpotLeft() + hotSpotWidth(),
                 hotSpotTop() + hotSpotHeight(), TQV_COLOUR_BLACK);
  }
  if (shown(movie_)) tqvRedrawMovie(movie_);
  if (!autoStarted_ && flag("AutoStart") && onScreen()) {
    tqvHandle name = property("Movie");
    if (name.is(TQV_STRING_TYPE)) {
      autoStarted_ = true;
      reinitialize(name);
      start();
    }
  }
}

tqvHandle tqvVideoViewControl::perform(const tqvHandle& action, const tqvHandle& data) {
  std::string_view name = tqvStringView(action);
  if (name == "Reinitialize") {
    reinitialize(tqvDereference(data));
  } else if (name == "Show") {
    show();
  } else if (name == "Start") {
    start();
  } else if (name == "Play") {
    if (tqvDereference(data).is(TQV_STRING_TYPE)) reinitialize(tqvDereference(data));
    start();
  } else if (name == "Stop") {
    if (!movie_.isNil()) tqvStop(movie_);
  } else if (name == "Uninitialize") {
    uninitialize();
  } else if (name == "Initialize") {
    if (shown(movie_)) {
      show();
    } else if (isVisible()) {
      draw();
    }
  } else if (name == "PlayTillStoped") {
    putBoolean(keyOf("PlayTillStoped"), tqvFlagOf(data, true));
  } else if (name == "IsPlaying") {
    return tqvMakeBoolean(!movie_.isNil() && tqvIsPlaying(movie_) != 0);
  } else {
    return tqvStandardControl::perform(action, data);
  }
  return tqvHandle();
}

void tqvVideoViewControl::notify(const tqvHandle& target, const tqvHandle& word) {
  bool over = tqvEquals(word, "ended") || tqvEquals(word, "aborted");
  if (over && !movie_.isNil() && target.object() == movie_.object()) {
    put(keyOf("Status"), word);
    if (tqvFormObject* form = activeFormObject()) form->controlTriggered(handle());
  }
  tqvStandardControl::notify(target, word);
}
