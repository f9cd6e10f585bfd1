// Sound values (type code 19): wave sounds and MIDI music, from a file or from a buffer
// holding the file's bytes. They answer tqvPlay, tqvStop and tqvIsPlaying through the
// sound player, and write themselves in the binary encoding as their name, the
// from-buffer flag and the path or the buffer.
#pragma once

#include <memory>
#include <string>

#include "media/wave_format.h"
#include "storage/codecs.h"
#include "values/handle.h"
#include "values/object.h"

class tqvSoundObject : public tqvObject, public tqvEncodable {
 public:
  enum class Kind { Wave, Music };

  tqvSoundObject(Kind kind, const tqvHandle& name, const tqvHandle& buffer,
                 std::shared_ptr<const std::string> bytes);

  Kind kind() const { return kind_; }
  // The file name (or, from a buffer, the name it was given) and the buffer, nil for files.
  const tqvHandle& name() const { return name_; }
  bool fromBuffer() const { return !buffer_.isNil(); }
  // The whole file; null when it could not be read.
  const std::shared_ptr<const std::string>& bytes() const { return bytes_; }
  // Waves: whether the file passed the format check, and what it holds.
  bool valid() const { return valid_; }
  const tqvWaveFormat& format() const { return format_; }
  void setFormat(const tqvWaveFormat& format, bool valid) {
    format_ = format;
    valid_ = valid;
  }

  bool opMedia(tqvMediaOp op, const tqvMediaArgs& args, TQVINT& result) override;
  void encodePayload(const tqvHandle& stream) const override;

 private:
  Kind kind_;
  tqvHandle name_;
  tqvHandle buffer_;
  std::shared_ptr<const std::string> bytes_;
  tqvWaveFormat format_;
  bool valid_ = false;
};

// A sound from a file path (code page 1252): "wav" and "mid" by the name's extension;
// any other reports "Unsupported sound type: " and the name, and gives nil. A wave whose
// format cannot be read reports "Not a valid sound file" and stays a sound that will not
// play; so does a file that cannot be read.
tqvHandle tqvMakeSound(const tqvHandle& path);
// The same from a buffer (or string) holding the file; `name` gives the kind.
tqvHandle tqvMakeSoundFromBuffer(const tqvHandle& name, const tqvHandle& buffer);

tqvSoundObject* tqvAsSound(const tqvHandle& sound);

// Registers the decoder of tag 19 (called when the media library is installed).
void tqvRegisterSoundCodecs();
