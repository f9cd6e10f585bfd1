// Making sound values from files and buffers, their generic operations and their codec.
#include "media/sound.h"

#include <string_view>

#include "media/media_services.h"
#include "media/sound_player.h"
#include "storage/encoding.h"
#include "storage/file_stream.h"
#include "storage/primitives.h"
#include "values/buffer.h"
#include "values/error.h"
#include "values/string.h"
#include "values/text.h"

namespace {

// The lower-case text after the name's last full stop ("" when it has none).
std::string extensionOf(const tqvHandle& name) {
  std::string_view text = tqvStringView(name);
  size_t dot = text.rfind('.');
  if (dot == std::string_view::npos) return {};
  return std::string(tqvStringView(tqvLower(tqvMakeString(text.substr(dot + 1)))));
}

std::shared_ptr<const std::string> bytesOf(const tqvHandle& bufferOrString) {
  if (tqvBufferObject* buffer = tqvAsBuffer(bufferOrString)) {
    return std::make_shared<const std::string>(buffer->bytes());
  }
  if (bufferOrString.is(TQV_STRING_TYPE)) {
    return std::make_shared<const std::string>(tqvStringView(bufferOrString));
  }
  return nullptr;
}

tqvHandle makeSound(const tqvHandle& name, const tqvHandle& buffer,
                    std::shared_ptr<const std::string> bytes) {
  std::string extension = extensionOf(name);
  tqvSoundObject::Kind kind;
  if (extension == "wav") {
    kind = tqvSoundObject::Kind::Wave;
  } else if (extension == "mid") {
    kind = tqvSoundObject::Kind::Music;
  } else {
    tqvError("Unsupported sound type: " + std::string(tqvStringView(name)));
    return TQV_NIL;
  }
  auto* sound = new tqvSoundObject(kind, name, buffer, std::move(bytes));
  tqvHandle handle = tqvHandle::wrap(sound, TQV_SOUND_TYPE);
  if (sound == nullptr || kind == tqvSoundObject::Kind::Music) return handle;
  tqvWaveFormat format;
  bool valid = sound->bytes() != nullptr && tqvReadWaveFormat(*sound->bytes(), format);
  sound->setFormat(format, valid);
  if (!valid) tqvError("Not a valid sound file");
  return handle;
}

}  // namespace

tqvSoundObject::tqvSoundObject(Kind kind, const tqvHandle& name, const tqvHandle& buffer,
                               std::shared_ptr<const std::string> bytes)
    : kind_(kind), name_(name), buffer_(buffer), bytes_(std::move(bytes)) {}

bool tqvSoundObject::opMedia(tqvMediaOp op, const tqvMediaArgs& args, TQVINT& result) {
  tqvSoundPlayer* player = tqvMedia() != nullptr ? &tqvMedia()->sounds() : nullptr;
  tqvHandle self = tqvHandle::wrap(this, TQV_SOUND_TYPE);
  result = 0;
  switch (op) {
    case tqvMediaOp::Play:
      if (player != nullptr) result = player->play(self, args.b, args.c != 0) ? 1 : 0;
      return true;
    case tqvMediaOp::Stop:
      if (player != nullptr) result = player->stop(self) ? 1 : 0;
      return true;
    case tqvMediaOp::IsPlaying:
      if (player != nullptr) result = player->isPlaying(self) ? 1 : 0;
      return true;
    default:
      return false;
  }
}

void tqvSoundObject::encodePayload(const tqvHandle& stream) const {
  tqvEncode(stream, name_);
  tqvWriteInt(stream, fromBuffer() ? 1 : 0);
  tqvEncode(stream, fromBuffer() ? buffer_ : name_);
}

tqvHandle tqvMakeSound(const tqvHandle& path) {
  if (!path.is(TQV_STRING_TYPE)) return TQV_NIL;
  std::string extension = extensionOf(path);
  if (extension != "wav" && extension != "mid") return makeSound(path, TQV_NIL, nullptr);
  tqvHandle file = tqvReadWholeFile(path, false, true);
  return makeSound(path, TQV_NIL, bytesOf(file));
}

tqvHandle tqvMakeSoundFromBuffer(const tqvHandle& name, const tqvHandle& buffer) {
  if (!name.is(TQV_STRING_TYPE)) return TQV_NIL;
  return makeSound(name, buffer, bytesOf(buffer));
}

tqvSoundObject* tqvAsSound(const tqvHandle& sound) {
  return sound.is(TQV_SOUND_TYPE) ? dynamic_cast<tqvSoundObject*>(sound.object()) : nullptr;
}

namespace {

// The name, the from-buffer flag and the path or the buffer; nil after a report.
tqvHandle decodeSound(const tqvHandle& stream) {
  tqvHandle name = tqvDecode(stream);
  TQVINT fromBuffer = tqvReadInt(stream);
  tqvHandle source = tqvDecode(stream);
  if (fromBuffer == 0) {
    if (!source.is(TQV_STRING_TYPE)) {
      tqvError("Cannot decode sound: its file name is not a string");
      return TQV_NIL;
    }
    return tqvMakeSound(source);
  }
  if (!name.is(TQV_STRING_TYPE) || (!source.is(TQV_BUFFER_TYPE) && !source.is(TQV_STRING_TYPE))) {
    tqvError("Cannot decode sound: its name or its bytes are missing");
    return TQV_NIL;
  }
  return tqvMakeSoundFromBuffer(name, source);
}

}  // namespace

void tqvRegisterSoundCodecs() {
  tqvRegisterDecoder(TQV_SOUND_TYPE, decodeSound);
}
