// SPDX-License-Identifier: MIT
// audio.device: channel allocation by map and key. What it plays is heard in Sound's tests.
#include "platform/audio/Audio.h"
#include "platform/testing/Testing.h"

#include <gtest/gtest.h>

#include <vector>

using namespace amiga;

namespace {

UBYTE kMap[] = {1, 2, 4, 8};

class AudioDevice : public ::testing::Test {
protected:
    void SetUp() override
    {
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
    MsgPort* port = nullptr;
    std::vector<IOAudio*> requests;
};

TEST_F(AudioDevice, ChannelsAreAllocatedByMapAndKey)
{
    BYTE error = 0;
    for (int i = 0; i < ADHARD_CHANNELS; ++i) {
        IOAudio* request = Allocate(error);
        ASSERT_EQ(error, 0);
        const auto mask = static_cast<ULONG>(reinterpret_cast<IPTR>(request->ioa_Request.io_Unit));
        EXPECT_EQ(mask, 1u << i); // the map's order
        EXPECT_NE(request->ioa_AllocKey, 0);
    }
    Allocate(error);
    EXPECT_EQ(error, ADIOERR_ALLOCFAILED);

    CloseDevice(&requests[2]->ioa_Request);
    IOAudio* again = Allocate(error);
    ASSERT_EQ(error, 0);
    EXPECT_EQ(reinterpret_cast<IPTR>(again->ioa_Request.io_Unit), 4u);

    // A write with another channel's key is refused.
    UBYTE samples[8] = {};
    IOAudio* writer = requests[0];
    writer->ioa_AllocKey = requests[1]->ioa_AllocKey;
    writer->ioa_Request.io_Command = CMD_WRITE;
    writer->ioa_Request.io_Flags = ADIOF_PERVOL;
    writer->ioa_Data = samples;
    writer->ioa_Length = sizeof samples;
    writer->ioa_Period = 447;
    BeginIO(&writer->ioa_Request);
    EXPECT_EQ(WaitIO(&requests[0]->ioa_Request), ADIOERR_NOALLOCATION);
}

} // namespace
