// The media library's services, installed in the runtime: resources from the disc, the
// main window's drawing surface, sound and help. They own what the media library keeps
// for the run: the drawing surface of the open window and the loaders of sounds and
// movies.
#pragma once

#include <map>
#include <memory>

#include "framework/runtime.h"
#include "framework/services.h"
#include "media/movie_player.h"
#include "media/sound_player.h"
#include "values/handle.h"

class tqvDrawingSurface;

// Makes a sound or movie value from a file's path (registered by the sound library).
using tqvPathLoader = tqvHandle (*)(const tqvHandle& path);

class tqvMediaServices : public tqvServiceSet {
 public:
  tqvMediaServices();
  ~tqvMediaServices() override;

  tqvHandle resolve(const tqvHandle& name) override;
  tqvHandle resolveOrFail(const tqvHandle& name) override;
  tqvHandle loadCompiled(const tqvHandle& name, const tqvHandle& type) override;

  // The drawing surface lives while the window is open, at the screen picture's scale;
  // when that changes, it is made anew and everything on screen is drawn again.
  void windowOpened(TQVINT width, TQVINT height, TQVINT scale) override;
  void windowScaleChanged(TQVINT scale) override;
  void windowClosed() override;
  tqvDrawingSurface* surface() { return surface_.get(); }

  void setBackdrop(const tqvHandle& image) override;
  void drawImage(const tqvHandle& image, TQVINT x, TQVINT y, const tqvHandle& mask) override;
  tqvHandle capture(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom) override;
  void flush(TQVINT left, TQVINT top, TQVINT right, TQVINT bottom) override;
  void transition(TQVINT code, TQVINT x, TQVINT y, TQVINT width, TQVINT height,
                  TQVINT parameter) override;

  // Sound and movie values answer play and stop themselves.
  void playSound(const tqvHandle& sound) override;
  void stopSound(const tqvHandle& sound) override;
  // The sound player's volume, scaled by "Volume Range".
  TQVINT waveOutVolume() override { return sounds_.volume(); }
  void setWaveOutVolume(TQVINT volume) override { sounds_.setVolume(volume); }
  // Movies closed, sounds stopped.
  void releaseMedia() override;
  void closeMovies() override { movies_.closeAll(); }
  // Sounds that have come to their end, and the frames of playing movies.
  void idleTurn() override;
  tqvSoundPlayer& sounds() { return sounds_; }
  tqvMoviePlayer& movies() { return movies_; }

  // The help file opens with the desktop's program for it.
  void showHelp(const tqvHandle& path) override;

  // How files of a resource kind (sounds, movies) are loaded; null until registered.
  void registerLoader(TQVINT kind, tqvPathLoader load) { loaders_[kind] = load; }
  tqvPathLoader loader(TQVINT kind) const;

 private:
  std::unique_ptr<tqvDrawingSurface> surface_;
  std::map<TQVINT, tqvPathLoader> loaders_;
  tqvSoundPlayer sounds_;
  // Last of the members: its movies let go of the decoders before anything else goes.
  tqvMoviePlayer movies_;
};

// The installed media services, or null when the media library is not installed.
tqvMediaServices* tqvMedia();
// The drawing surface of the open main window, or null.
tqvDrawingSurface* tqvScreenSurface();

// Installs the media library in the runtime: the image, sound and resource codecs and
// notation forms, and the media services with the loaders of sounds (kind 19) and movies
// (kind 20).
void tqvInstallMedia(tqvRuntime& runtime);
