// SPDX-License-Identifier: MIT
// audio.device: channel allocation, writes heard through SDL's disk driver, abort and wake-up.
#include "platform/audio/Audio.h"
#include "platform/common/Internal.h"
#include "platform/dos/Dos.h"
#include "platform/testing/Testing.h"
#include "tests/support/AudioCapture.h"
#include "tests/support/IffBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using namespace amiga;

namespace {

UBYTE kMap[] = {1, 2, 4, 8};

class AudioDevice : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kesa-audio-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        capture::UseDiskDriver(dir + "/capture.raw");
        ResetPlatform();
        port = CreateMsgPort();
        ASSERT_NE(port, nullptr);
    }
    void TearDown() override
    {
        for (IOAudio* request : requests) {
            if (request->ioa_Request.io_Device != nullptr)
                CloseDevice(&request->ioa_Request);
            DeleteExtIO(&request->ioa_Request);
        }
        DeleteMsgPort(port);
        ResetPlatform();
        capture::UseDummyDriver();
        std::filesystem::remove_all(dir);
    }

    // A request opened with the four-channel map; its OpenDevice result in `error`.
    IOAudio* Allocate(BYTE& error)
    {
        auto* request = reinterpret_cast<IOAudio*>(CreateExtIO(port, sizeof(IOAudio)));
        requests.push_back(request);
        request->ioa_Request.io_Flags = ADIOF_NOWAIT;
        request->ioa_Data = kMap;
        request->ioa_Length = sizeof kMap;
        error = OpenDevice(AUDIONAME, 0, &request->ioa_Request, 0);
        return request;
    }
    void Write(IOAudio* request, std::string& samples, UWORD period, UWORD cycles)
    {
        request->ioa_Request.io_Command = CMD_WRITE;
        request->ioa_Request.io_Flags = ADIOF_PERVOL;
        request->ioa_Data = reinterpret_cast<UBYTE*>(samples.data());
        request->ioa_Length = static_cast<ULONG>(samples.size());
        request->ioa_Period = period;
        request->ioa_Volume = 64;
        request->ioa_Cycles = cycles;
        BeginIO(&request->ioa_Request);
    }
    // Closes every channel (which closes the host output and its file) and reads what it got.
    capture::Played Captured()
    {
        int rate = 0;
        AudioOutputFormat(rate, channels);
        outputRate = rate;
        for (IOAudio* request : requests) {
            if (request->ioa_Request.io_Device != nullptr)
                CloseDevice(&request->ioa_Request);
        }
        return capture::Read(dir + "/capture.raw", channels);
    }

    std::string dir;
    MsgPort* port = nullptr;
    std::vector<IOAudio*> requests;
    int outputRate = 0;
    int channels = 0;
};

TEST_F(AudioDevice, ChannelsAreAllocatedByMapAndKey)
{
    BYTE error = 0;
    ULONG seen = 0;
    for (int i = 0; i < ADHARD_CHANNELS; ++i) {
        IOAudio* request = Allocate(error);
        ASSERT_EQ(error, 0);
        const auto mask = static_cast<ULONG>(reinterpret_cast<IPTR>(request->ioa_Request.io_Unit));
        EXPECT_EQ(mask, 1u << i); // the map's order
        EXPECT_NE(request->ioa_AllocKey, 0);
        seen |= mask;
    }
    EXPECT_EQ(seen, 0xFu);
    Allocate(error);
    EXPECT_EQ(error, ADIOERR_ALLOCFAILED);

    CloseDevice(&requests[2]->ioa_Request);
    IOAudio* again = Allocate(error);
    ASSERT_EQ(error, 0);
    EXPECT_EQ(reinterpret_cast<IPTR>(again->ioa_Request.io_Unit), 4u);

    // A write with another channel's key is refused.
    std::string samples = iff::RampBytes(8);
    requests[0]->ioa_AllocKey = requests[1]->ioa_AllocKey;
    Write(requests[0], samples, 447, 1);
    EXPECT_EQ(WaitIO(&requests[0]->ioa_Request), ADIOERR_NOALLOCATION);
}

TEST_F(AudioDevice, AWritePlaysItsSamplesInOrderAtItsRateAndWakesTheWaiter)
{
    BYTE error = 0;
    IOAudio* request = Allocate(error);
    ASSERT_EQ(error, 0);
    std::string samples = iff::RampBytes(1000);
    const uint64_t start = internal::NowMicros();
    Write(request, samples, 447, 2);
    // The reply comes from the host's audio thread and must wake a sleeping Wait.
    EXPECT_EQ(Wait(1u << port->mp_SigBit), 1u << port->mp_SigBit);
    const double seconds = static_cast<double>(internal::NowMicros() - start) / 1e6;
    EXPECT_EQ(GetMsg(port), &request->ioa_Request.io_Message);
    EXPECT_EQ(request->ioa_Request.io_Error, 0);
    EXPECT_GE(seconds, 2000.0 * 447 / AUDIO_CLOCK - 0.05);

    const capture::Played played = Captured();
    ASSERT_EQ(played.samples.size(), 2000u);
    for (size_t i = 0; i < played.samples.size(); ++i)
        ASSERT_EQ(played.samples[i], iff::Ramp(i % 1000)) << "sample " << i;
    EXPECT_NEAR(capture::MeasuredRate(played, outputRate), double(AUDIO_CLOCK) / 447, double(AUDIO_CLOCK) / 447 / 100);
}

TEST_F(AudioDevice, CyclesZeroRepeatsUntilAborted)
{
    BYTE error = 0;
    IOAudio* request = Allocate(error);
    ASSERT_EQ(error, 0);
    std::string samples = iff::RampBytes(300);
    Write(request, samples, 162, 0);
    Delay(10); // 0.2 s: 300 samples at 22 kHz last 14 ms
    EXPECT_EQ(CheckIO(&request->ioa_Request), nullptr);
    AbortIO(&request->ioa_Request);
    EXPECT_EQ(WaitIO(&request->ioa_Request), IOERR_ABORTED);

    const capture::Played played = Captured();
    ASSERT_GE(played.samples.size(), 3 * 300u);
    for (size_t i = 0; i + 1 < played.samples.size(); ++i)
        ASSERT_EQ(played.samples[i], iff::Ramp(i % 300)) << "sample " << i;
}

TEST_F(AudioDevice, WithoutASoundOutputOpenDeviceFails)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    ResetPlatform();
    BYTE error = 0;
    IOAudio* request = Allocate(error);
    EXPECT_EQ(error, IOERR_OPENFAIL);
    EXPECT_EQ(request->ioa_Request.io_Device, nullptr);
}

} // namespace
