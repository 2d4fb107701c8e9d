// SPDX-License-Identifier: MIT
// Sound: 8SVX files heard through SDL's disk audio driver, refusals and their log lines,
// scratch copies, and what happens when the library or the device is missing.
#include "services/Sound.h"

#include "platform/common/Internal.h"
#include "platform/dos/Dos.h"
#include "platform/testing/Testing.h"
#include "tests/support/TempDirectory.h"
#include "tests/support/AudioCapture.h"
#include "tests/support/IffBuilder.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

namespace {

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(temp.Ok());
        setenv("XDG_RUNTIME_DIR", temp.Path().c_str(), 1);
        capture::UseDiskDriver(temp.Path("capture.raw"));
        amiga::ResetPlatform();
    }
    void TearDown() override
    {
        amiga::ResetPlatform();
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    std::string File(const std::string& name, const std::string& bytes)
    {
        std::filesystem::create_directories(std::filesystem::path(temp.Path(name)).parent_path());
        WriteBytes(temp.Path(name), bytes);
        return temp.Path(name);
    }
    // What the host output got; read once every Sound is gone (that closes the output).
    capture::Played Captured()
    {
        amiga::AudioOutputFormat(outputRate, channels);
        return channels == 0 ? capture::Played{} : capture::Read(temp.Path("capture.raw"), channels);
    }

    TempDirectory temp;
    CurrentDirectory inTemp{temp.Path()};
    int outputRate = 0;
    int channels = 0;
};

double Seconds(uint64_t sinceMicros)
{
    return static_cast<double>(amiga::internal::NowMicros() - sinceMicros) / 1e6;
}

TEST_F(SoundTest, PlaysTheSamplesInOrderAtThePeriodOfTheRate)
{
    struct Case {
        uint16_t rate;
        int period;
        bool staticForm;
    };
    for (const Case& c : {Case{8000, 447, false}, Case{22050, 162, true}}) {
        SCOPED_TRACE(c.rate);
        capture::UseDiskDriver(temp.Path("capture.raw"));
        amiga::ResetPlatform();
        const std::string path =
            File("r" + std::to_string(c.rate) + ".iff", iff::Sound8svx(iff::RampBytes(4000), c.rate));
        const uint64_t start = amiga::internal::NowMicros();
        if (c.staticForm) {
            Sound::PlayFileSound(path);
        } else {
            Sound sound;
            sound.PlayFileSoundSync(path, 1);
        }
        // Returns once the sound has ended (the host may take one buffer more), not before.
        EXPECT_GE(Seconds(start), 4000.0 * c.period / amiga::AUDIO_CLOCK - 0.03);

        const capture::Played played = Captured();
        ASSERT_EQ(played.samples.size(), 4000u);
        for (size_t i = 0; i < played.samples.size(); ++i)
            ASSERT_EQ(played.samples[i], iff::Ramp(i)) << i;
        const double measured = capture::MeasuredRate(played, outputRate);
        EXPECT_NEAR(measured, c.rate, c.rate / 100.0);
        // Tight enough to tell the period from its neighbours.
        EXPECT_NEAR(measured, double(amiga::AUDIO_CLOCK) / c.period, measured / 1000);
    }
    EXPECT_EQ(ReadLog(), "");
}

TEST_F(SoundTest, ALoopRepeatsUntilStopPlayAndAFinishedSoundIsLeftAlone)
{
    const std::string loop = File("loop.iff", iff::Sound8svx(iff::RampBytes(500), 22050));
    {
        Sound sound;
        sound.PlayFileSound(loop, 1);
        amiga::Delay(10);
        sound.StopPlay();
        // Played once to its end; stopping it then changes nothing, and the next play reuses
        // the request cleanly.
        sound.PlayFileSound(loop, 0);
        amiga::Delay(5);
        sound.StopPlay();
        sound.PlayFileSoundSync(loop, 0);
    }
    // Each play starts the ramp afresh: split where a sample is not the previous one's
    // successor, leaving out the silence between plays.
    std::vector<size_t> plays;
    size_t next = 0;
    bool silence = false;
    for (const int sample : Captured().samples) {
        if (!silence && !plays.empty() && sample == iff::Ramp(next % 500)) {
            ++plays.back();
        } else if (sample == iff::Ramp(0)) {
            plays.push_back(1);
            next = 0;
            silence = false;
        } else {
            ASSERT_EQ(sample, 0) << "after " << next;
            silence = true;
            continue;
        }
        ++next;
    }
    // The loop was cut somewhere after its third cycle; if exactly at a cycle's end, the
    // once-play that follows reads as more of it.
    ASSERT_GE(plays.size(), 2u);
    EXPECT_EQ(plays.back(), 500u);
    if (plays.size() == 3)
        EXPECT_EQ(plays[1], 500u);
    else
        EXPECT_EQ(plays[0] % 500, 0u);
    EXPECT_GE(plays[0], 3 * 500u);
}

TEST_F(SoundTest, RefusedFilesAreLoggedAndLeaveAPlayingSoundAlone)
{
    using iff::Chunk;
    using iff::Group;
    const std::string body = Chunk("BODY", iff::RampBytes(100));
    const std::string unsupported = "E' supportato solo audio IFF senza compressione e con una ottava";
    enum Kind { Bytes, Pipe, Folder };
    const struct {
        std::string name;
        std::string bytes;
        std::string line;
        Kind kind = Bytes;
    } refused[] = {
        {"compressed.iff", iff::Sound8svx(iff::RampBytes(100), 8000, 1, 1), unsupported},
        {"octaves.iff", iff::Sound8svx(iff::RampBytes(100), 8000, 2, 0), unsupported},
        {"nobody.iff", Group("FORM", "8SVX", Chunk("VHDR", iff::VoiceHeader(100, 0, 8000))), "Errore ParseIFF"},
        {"notiff.iff", std::string("RIFF\0\0\0\4WAVE", 12), "OpenIFF fallita"},
        {"rate0.iff", iff::Sound8svx(iff::RampBytes(100), 0), "VHDR con frequenza 0: nessun suono riprodotto"},
        {"novhdr.iff", Group("FORM", "8SVX", body), "BODY senza VHDR completo: nessun suono riprodotto"},
        {"short.iff", Group("FORM", "8SVX", Chunk("VHDR", std::string("\0\0\0\1", 4)) + body),
         "BODY senza VHDR completo: nessun suono riprodotto"},
        {"empty.iff", Group("FORM", "8SVX", Chunk("VHDR", iff::VoiceHeader(0, 0, 8000)) + body),
         "VHDR con lunghezza 0: nessun suono riprodotto"},
        // Neither may keep the program waiting (a hang here ends in ctest's timeout).
        {"pipe.iff", "", "OpenIFF fallita", Pipe},
        {"folder.iff", "", "OpenIFF fallita", Folder},
    };
    ASSERT_EQ(mkfifo(temp.Path("pipe.iff").c_str(), 0600), 0);
    std::filesystem::create_directory(temp.Path("folder.iff"));
    std::string expected;
    const auto refuseAll = [&](Sound& sound) {
        for (const auto& r : refused) {
            sound.PlayFileSound(r.kind == Bytes ? File(r.name, r.bytes) : temp.Path(r.name), 0);
            expected += r.line + "\n";
        }
        sound.PlayFileSound(temp.Path("missing.iff"), 0);
        expected += temp.Path("missing.iff") + " non trovato.\n";
    };
    const std::string loop = File("loop.iff", iff::Sound8svx(iff::RampBytes(500), 22050));
    {
        Sound sound;
        refuseAll(sound);
        int rate = 0;
        amiga::AudioOutputFormat(rate, channels);
        EXPECT_EQ(rate, 0) << "something reached the sound output";

        sound.PlayFileSound(loop, 1);
        const uint64_t start = amiga::internal::NowMicros();
        refuseAll(sound); // the second time from the scratch copies
        amiga::Delay(10);
        EXPECT_GE(Seconds(start), 0.2);
        sound.StopPlay();
        amiga::AudioOutputFormat(rate, channels);
        EXPECT_GT(rate, 0);
        outputRate = rate;
    }
    const capture::Played played = Captured();
    // 0.2 s at 22 kHz is some 4400 samples; a loop stopped by the refusals would give a few hundred.
    EXPECT_GE(played.samples.size(), 4 * 500u);
    for (size_t i = 0; i < played.samples.size(); ++i)
        ASSERT_EQ(played.samples[i], iff::Ramp(i % 500)) << i;
    EXPECT_EQ(ReadLog(), expected);
}

TEST_F(SoundTest, TheFirstPlayCopiesTheFileAndLaterPlaysUseTheCopy)
{
    const std::string first = iff::RampBytes(80); // no zero sample in the first 83
    std::string other = first;
    for (char& c : other)
        c = static_cast<char>(-c);
    const std::string original = File("a/x.iff", iff::Sound8svx(first, 22050));
    const std::string sameName = File("b/x.iff", iff::Sound8svx(other, 22050));
    const std::string copy = temp.Path("KesaPegline/x.iff");
    EXPECT_EQ(Sound::FileTemporaneo(original), copy);
    {
        Sound sound;
        sound.PlayFileSoundSync(original, 0);
        EXPECT_EQ(ReadBytes(copy), ReadBytes(original));
        struct stat info {};
        ASSERT_EQ(stat(temp.Path("KesaPegline").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);

        std::filesystem::remove(original);
        sound.PlayFileSoundSync(original, 0); // from the copy
        sound.PlayFileSoundSync(sameName, 0); // shares the copy: the first file's sound
    }
    const capture::Played played = Captured();
    std::vector<int> heard;
    for (int sample : played.samples) {
        if (sample != 0)
            heard.push_back(sample);
    }
    ASSERT_EQ(heard.size(), 3 * 80u);
    for (size_t i = 0; i < heard.size(); ++i)
        ASSERT_EQ(heard[i], iff::Ramp(i % 80)) << i;
    EXPECT_EQ(ReadLog(), "");
}

TEST_F(SoundTest, WithoutLibraryOrDeviceNothingPlaysAndNothingMoreIsLogged)
{
    const std::string path = File("s.iff", iff::Sound8svx(iff::RampBytes(100), 8000));
    const std::string noDevice = "Errore opendevice audio.device\n";
    const struct {
        const char* what;
        std::function<void()> arrange;
        std::string line;
    } cases[] = {
        {"library missing", [] { amiga::SetLibraryMissing("iffparse.library", true); },
         "load iffparse.library fallita!\n"},
        {"device open fails", [] { amiga::FailNextDeviceOpen(); }, noDevice},
        {"no sound output", [] { setenv("SDL_AUDIODRIVER", "no-such-driver", 1); }, noDevice},
        // Known only when the first sound starts the output; said once for both plays.
        {"sound output fails to start", [&] { capture::UseDiskDriver(temp.Path("no/folder/capture.raw")); }, noDevice},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove("log.txt");
        amiga::ResetPlatform();
        c.arrange();
        {
            Sound sound;
            sound.PlayFileSound(path, 0);
            sound.PlayFileSoundSync(path, 0);
        }
        int rate = 0;
        amiga::AudioOutputFormat(rate, channels);
        EXPECT_EQ(rate, 0) << "something reached the sound output";
        capture::UseDiskDriver(temp.Path("capture.raw"));
        EXPECT_EQ(ReadLog(), c.line);
    }
}

} // namespace
