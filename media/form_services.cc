// The screen services over the resource manager and the main window's drawing surface.
#include "media/form_services.h"

#include "framework/form_object.h"
#include "framework/forms.h"
#include "framework/screen_services.h"
#include "media/drawing_surface.h"
#include "media/resources.h"
#include "values/generic.h"
#include "values/table.h"

namespace {

// Runs `draw` on the main window's surface with the origin at the media area's corner,
// since the services take media coordinates.
template <class Draw>
void atMediaOrigin(Draw draw) {
  tqvDrawingSurface* surface = tqvDrawingSurface::forMainWindow();
  if (surface == nullptr) return;
  TQVINT x = surface->originX(), y = surface->originY();
  surface->setOrigin(0, 0);
  draw(*surface);
  surface->setOrigin(x, y);
}

bool playable(const tqvHandle& sound) {
  return sound.is(TQV_SOUND_TYPE) || sound.is(TQV_MOVIE_TYPE);
}

class MediaScreenServices : public tqvScreenServices {
 public:
  tqvHandle resolve(const tqvHandle& name) override { return tqvResolve(name); }
  tqvHandle resolveOrFail(const tqvHandle& name) override { return tqvResolveOrFail(name); }

  void setBackdrop(const tqvHandle& image) override {
    if (tqvDrawingSurface* surface = tqvDrawingSurface::forMainWindow()) {
      surface->setBackdrop(image);
    }
  }
  void drawImage(const tqvHandle& image, TQVINT x, TQVINT y, const tqvHandle& mask) override {
    atMediaOrigin([&](tqvDrawingSurface& s) { s.drawImage(image, x, y, 0, 0, 0, 0, mask); });
  }
  tqvHandle capture(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom) override {
    tqvHandle image;
    atMediaOrigin([&](tqvDrawingSurface& s) { image = s.capture(left, top, right, bottom); });
    return image;
  }
  void flush(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom) override {
    atMediaOrigin([&](tqvDrawingSurface& s) { s.flush(left, top, right, bottom); });
  }
  void setOrigin(TQVINT x, TQVINT y) override {
    tqvScreenServices::setOrigin(x, y);
    if (tqvDrawingSurface* surface = tqvDrawingSurface::forMainWindow()) surface->setOrigin(x, y);
  }
  TQVINT originX() override {
    tqvDrawingSurface* surface = tqvDrawingSurface::forMainWindow();
    return surface != nullptr ? surface->originX() : tqvScreenServices::originX();
  }
  TQVINT originY() override {
    tqvDrawingSurface* surface = tqvDrawingSurface::forMainWindow();
    return surface != nullptr ? surface->originY() : tqvScreenServices::originY();
  }
  void transition(TQVINT code, TQVINT x, TQVINT y, TQVINT width, TQVINT height,
                  TQVINT parameter) override {
    if (tqvDrawingSurface* surface = tqvDrawingSurface::forMainWindow()) {
      surface->transition(code, x, y, width, height, parameter);
    }
  }
  void playSound(const tqvHandle& sound) override {
    if (playable(sound)) tqvPlay(sound);
  }
  void stopSound(const tqvHandle& sound) override {
    if (playable(sound)) tqvStop(sound);
  }
};

// Loads a form's resources and gives the table that was loaded (for compiling); a form
// without a resource table gives an empty one. Nil when there is no such form.
tqvHandle formResourceTable(const tqvHandle& formName) {
  tqvHandle form = tqvFindForm(formName);
  tqvFormObject* f = tqvAsFormObject(form);
  if (f == nullptr) return tqvHandle();
  f->loadResources();
  tqvHandle table = f->loadedResources();
  f->unloadResources();
  return table.is(TQV_TABLE_TYPE) ? table : tqvTable(4);
}

}  // namespace

void tqvInstallFormServices() {
  static MediaScreenServices services;
  tqvSetScreenServices(&services);
  tqvSetFormResourceTableHook(formResourceTable);
}
