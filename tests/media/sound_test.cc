// Sound values on the virtual clock of a headless session: one wave at a time, "ended"
// once at the end time, "aborted" on stop, music without "ended", the volume scale, the
// resource loader and the binary encoding.
#include "media/sound.h"

#include <gtest/gtest.h>

#include <map>

#include "framework/event_queue.h"
#include "framework/events.h"
#include "media/resources.h"
#include "storage/encoding.h"
#include "storage/memory_stream.h"
#include "storage/notation.h"
#include "tests/media/media_fixture.h"
#include "tests/media/wave_bytes.h"
#include "values/values.h"

namespace {

using namespace wave_bytes;

class Sounds : public MediaTest {
 protected:
  void SetUp() override {
    MediaTest::SetUp();
    useWindow();
  }
  static tqvHandle buffer(const std::string& bytes) {
    tqvHandle b = tqvBuffer(static_cast<TQVINT>(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), tqvAsBuffer(b)->data());
    tqvAsBuffer(b)->setLength(static_cast<TQVINT>(bytes.size()));
    return b;
  }
  tqvHandle wave(const std::string& name, size_t ms) {
    return tqvMakeSoundFromBuffer(tqvMakeString(name), buffer(pcmMs(ms)));
  }
  tqvHandle music() {
    return tqvMakeSoundFromBuffer(tqvMakeString("tune.mid"), tqvMakeString("MThd"));
  }
  void pass(uint32_t ms) {
    backend_->delay(ms);
    tqvServices().idleTurn();
  }
  // The notifications queued since the last call, as "name word", names by `names`.
  std::vector<std::string> notifications() {
    std::vector<std::string> seen;
    tqvEvent event;
    while (tqvCurrentEventQueue() != nullptr &&
           tqvCurrentEventQueue()->take(TQV_NOTIFY_EVENT, event)) {
      tqvHandle target = tqvGet(event.data1, 0);
      tqvSoundObject* s = tqvAsSound(target);
      seen.push_back((s != nullptr ? std::string(tqvStringView(s->name())) : "?") + " " +
                     std::string(tqvStringView(tqvGet(event.data1, 1))));
    }
    return seen;
  }
  using Lines = std::vector<std::string>;
};

TEST_F(Sounds, ASecondWaveIsRefusedWhileOnePlaysAndEndedComesOnce) {
  notifications();
  tqvHandle first = wave("first.wav", 1000);
  tqvHandle second = wave("second.wav", 300);
  EXPECT_EQ(tqvPlay(first), 1);
  EXPECT_EQ(tqvPlay(second), 0);
  EXPECT_EQ(tqvIsPlaying(first), 1);
  EXPECT_EQ(tqvIsPlaying(second), 0);
  pass(999);
  EXPECT_EQ(notifications(), Lines{});
  pass(1);
  EXPECT_EQ(notifications(), Lines{"first.wav ended"});
  pass(500);
  EXPECT_EQ(tqvIsPlaying(first), 0);
  EXPECT_EQ(notifications(), Lines{});
  // Now the second plays; a length in 1/22050 s sets its end (11025: half a second).
  EXPECT_EQ(tqvPlay(second, -1, 11025), 1);
  pass(499);
  EXPECT_EQ(notifications(), Lines{});
  pass(1);
  EXPECT_EQ(notifications(), Lines{"second.wav ended"});
  EXPECT_EQ(transcript(), "audio wave 1044 bytes\naudio wave 344 bytes\n");
}

TEST_F(Sounds, StopQueuesAbortedAndALoopingWaveNeverEnds) {
  tqvHandle loop = wave("loop.wav", 100);
  EXPECT_EQ(tqvStop(loop), 0);  // not playing: nothing queued
  EXPECT_EQ(tqvPlay(loop, -1, -1, 1), 1);
  pass(1000);
  EXPECT_EQ(notifications(), Lines{});
  EXPECT_EQ(tqvStop(loop), 1);
  EXPECT_EQ(notifications(), Lines{"loop.wav aborted"});
  EXPECT_EQ(tqvIsPlaying(loop), 0);
}

TEST_F(Sounds, MusicPlaysOneAtATimeWithoutEndedUntilStopped) {
  tqvHandle tune = music();
  tqvHandle other = music();
  EXPECT_EQ(tqvPlay(tune), 1);
  EXPECT_EQ(tqvPlay(other), 0);
  EXPECT_EQ(tqvPlay(wave("beside.wav", 10)), 1);  // waves and music play side by side
  pass(60000);
  EXPECT_EQ(tqvIsPlaying(tune), 1);
  EXPECT_EQ(notifications(), Lines{"beside.wav ended"});
  EXPECT_EQ(tqvStop(tune), 1);
  EXPECT_EQ(notifications(), Lines{"tune.mid aborted"});
  EXPECT_EQ(tqvPlay(other), 1);
}

TEST_F(Sounds, BadFilesAreReportedAndDoNotPlay) {
  struct Case {
    const char* name;
    std::string bytes;
    const char* report;
    bool isSound;
  };
  const Case cases[] = {
      {"noformat.wav", riff(data(10)), "Not a valid sound file", true},
      {"empty.wav", "", "Not a valid sound file", true},
      {"music.mp3", "ID3", "Unsupported sound type: music.mp3", false},
      {"notmidi.mid", "ID3", "<no error>", true},  // refused when played
  };
  for (const Case& c : cases) {
    tqvHandle sound = tqvMakeSoundFromBuffer(tqvMakeString(c.name), tqvMakeString(c.bytes));
    EXPECT_EQ(takeError(), c.report) << c.name;
    EXPECT_EQ(sound.is(TQV_SOUND_TYPE), c.isSound) << c.name;
    if (c.isSound) EXPECT_EQ(tqvPlay(sound), 0) << c.name;
  }
  EXPECT_EQ(transcript(), "");
}

TEST_F(Sounds, TheVolumeIsScaledByVolumeRange) {
  struct Case {
    const char* range;
    TQVINT set;
    uint16_t device;
    TQVINT read;
  };
  const Case cases[] = {
      {"100", 100, 65535, 100}, {"100", 0, 0, 0},      {"100", 50, 32767, 49},
      {"10", 5, 32767, 4},      {"10", 20, 65535, 10}, {"0", 100, 65535, 100},
  };
  tqvPlatform::AudioOutput& output = backend_->audio();
  for (const Case& c : cases) {
    setEnv("Volume Range", c.range);
    tqvServices().setWaveOutVolume(c.set);
    uint16_t left = 1;
    uint16_t right = 1;
    ASSERT_TRUE(output.waveVolume(left, right));
    EXPECT_EQ(left, c.device) << c.range << " " << c.set;
    EXPECT_EQ(right, c.device) << c.range << " " << c.set;
    EXPECT_EQ(tqvServices().waveOutVolume(), c.read) << c.range << " " << c.set;
  }
}

TEST_F(Sounds, FilesLoadAsResourcesAndEncodeAsTheirNameAndSource) {
  discFile("Media/Sounds/bell.wav", pcmMs(20));
  setEnv("SourceDisk", discPath());
  setEnv("MediaPath", "Media");
  tqvHandle fromFile = tqvResolve(tqvMakeString("Sounds\\bell.wav"));
  ASSERT_TRUE(fromFile.is(TQV_SOUND_TYPE));
  EXPECT_TRUE(tqvAsSound(fromFile)->valid());
  EXPECT_EQ(tqvAsSound(fromFile)->format().durationMs, 20);
  EXPECT_TRUE(
      tqvDecodeStandard(tqvMakeString("(soundfile \"Sounds\\\\bell.wav\")")).is(TQV_SOUND_TYPE));

  // A file's sound encodes its path twice around flag 0; a buffer's its name, 1, the bytes.
  tqvHandle fromBuffer = wave("b.wav", 4);
  tqvHandle stream = tqvMemoryStream(nullptr, 0);
  tqvEncode(stream, fromBuffer);
  std::string bytes(stream.as<tqvMemoryStreamObject>()->writtenBytes());
  std::string file = pcmMs(4);
  std::string expected =
      "\x13\x22\x05"
      "b.wav" +
      le32(1) + "\x07" + le32(file.size()) + file;
  EXPECT_EQ(bytes, expected);
  stream.as<tqvMemoryStreamObject>()->seek(0);
  tqvHandle decoded = tqvDecode(stream);
  ASSERT_TRUE(decoded.is(TQV_SOUND_TYPE));
  EXPECT_EQ(tqvAsSound(decoded)->format().durationMs, 4);

  stream = tqvMemoryStream(nullptr, 0);
  tqvEncode(stream, fromFile);
  stream.as<tqvMemoryStreamObject>()->seek(0);
  tqvHandle again = tqvDecode(stream);
  ASSERT_TRUE(again.is(TQV_SOUND_TYPE));
  EXPECT_EQ(tqvStringView(tqvAsSound(again)->name()), tqvStringView(tqvAsSound(fromFile)->name()));
  EXPECT_FALSE(tqvAsSound(again)->fromBuffer());
}

}  // namespace
