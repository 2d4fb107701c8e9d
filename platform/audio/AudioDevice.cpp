// SPDX-License-Identifier: MIT
// audio.device over the host's sound output. Each channel plays the write at the head of its
// queue, holding every sample for AUDIO_CLOCK / period of a second as the hardware does (no
// interpolation); the four channels are summed into every host channel. Mixing runs on the
// host's audio thread, so the queues are shared under one lock. A write that ends is replied
// one buffer later, when its last samples have left for the host.
#include "platform/audio/Audio.h"

#include "platform/exec/State.h"
#include "platform/common/Internal.h"
#include "platform/host/HostAudio.h"

#include <algorithm>
#include <deque>
#include <mutex>
#include <vector>

namespace amiga::internal {

namespace {

// The host output closes after this long without anything to play (and opens again on the
// next write), so an idle program leaves the sound card and the audio thread alone.
constexpr uint64_t kIdleCloseMicros = 1000000;
constexpr uint64_t kIdlePollMicros = 250000;
constexpr ULONG kAllChannels = (1u << ADHARD_CHANNELS) - 1;

IOAudio* AsAudio(IORequest* request)
{
    return reinterpret_cast<IOAudio*>(request);
}

ULONG MaskOf(const IORequest* request)
{
    return static_cast<ULONG>(reinterpret_cast<IPTR>(request->io_Unit)) & kAllChannels;
}

// A request forgotten without a reply (its channel was freed under it); CheckIO says done.
void MarkDone(IORequest* request, BYTE error)
{
    std::lock_guard lock(Exec().messageLock);
    request->io_Error = error;
    request->io_Message.mn_Node.ln_Type = NT_REPLYMSG;
}

struct Channel {
    WORD key = 0; // 0: free
    std::deque<IOAudio*> queue;
    // Of the write at the head of the queue.
    bool started = false;
    ULONG position = 0;
    uint64_t phase = 0;
    UWORD cyclesLeft = 0; // 0: until aborted
    UWORD period = 0;
    UWORD volume = 0;
};

class AudioDevice final : public DeviceDriver {
public:
    explicit AudioDevice(std::unique_ptr<host::AudioOutput> output) : output_(std::move(output)) {}

    ~AudioDevice() override
    {
        output_->Stop();
        for (int c = 0; c < ADHARD_CHANNELS; ++c) {
            ForgetQueue(c);
        }
    }

    BYTE Open(ULONG unit, IORequest* request, ULONG flags) override
    {
        (void)unit;
        (void)flags;
        const UWORD length = request->io_Message.mn_Length;
        if (length != 0 && length < sizeof(IOAudio)) {
            return IOERR_OPENFAIL;
        }
        request->io_Unit = nullptr;
        return AsAudio(request)->ioa_Length != 0 ? Allocate(AsAudio(request)) : BYTE{0};
    }

    void Close(IORequest* request) override
    {
        // Closing frees the request's channels; writes still queued on them are forgotten
        // rather than replied later to a request its owner is about to free.
        Free(AsAudio(request));
        bool anyHeld = false;
        for (const Channel& channel : channels_) {
            anyHeld = anyHeld || channel.key != 0;
        }
        if (!anyHeld) {
            output_->Stop();
        }
    }

    void BeginIO(IORequest* request) override
    {
        IOAudio* audio = AsAudio(request);
        switch (request->io_Command) {
        case ADCMD_ALLOCATE:
            CompleteIO(request, Allocate(audio));
            return;
        case ADCMD_FREE:
            CompleteIO(request, Free(audio) ? BYTE{0} : ADIOERR_NOALLOCATION);
            return;
        case CMD_WRITE:
            Write(audio);
            return;
        default:
            CompleteIO(request, IOERR_NOCMD);
            return;
        }
    }

    void AbortIO(IORequest* request) override
    {
        bool found = false;
        {
            std::lock_guard lock(lock_);
            for (Channel& channel : channels_) {
                auto it = std::find(channel.queue.begin(), channel.queue.end(), AsAudio(request));
                if (it != channel.queue.end()) {
                    if (it == channel.queue.begin()) {
                        channel.started = false;
                    }
                    channel.queue.erase(it);
                    found = true;
                }
            }
            found = std::erase(finishing_, AsAudio(request)) > 0 || found;
        }
        if (found) {
            CompleteIO(request, IOERR_ABORTED);
        }
    }

    uint64_t NextDeadlineMicros() const override
    {
        // While the host output is open, look in now and then to close it once idle.
        return output_->Started() ? NowMicros() + kIdlePollMicros : UINT64_MAX;
    }

    void Service(uint64_t nowMicros) override
    {
        if (!output_->Started()) {
            return;
        }
        if (!Idle()) {
            idleSince_ = 0;
        } else if (idleSince_ == 0) {
            idleSince_ = nowMicros;
        } else if (nowMicros - idleSince_ >= kIdleCloseMicros) {
            output_->Stop();
            idleSince_ = 0;
        }
    }

private:
    BYTE Allocate(IOAudio* audio)
    {
        if (audio->ioa_Data == nullptr) {
            return ADIOERR_ALLOCFAILED;
        }
        // FIXME: allocation precedence is not honoured; channels are never stolen, and an
        // allocation without ADIOF_NOWAIT fails at once instead of waiting.
        for (ULONG i = 0; i < audio->ioa_Length; ++i) {
            const ULONG mask = audio->ioa_Data[i];
            if (mask == 0 || (mask & ~kAllChannels) != 0) {
                continue;
            }
            bool free = true;
            for (int c = 0; c < ADHARD_CHANNELS; ++c) {
                free = free && ((mask & (1u << c)) == 0 || channels_[c].key == 0);
            }
            if (!free) {
                continue;
            }
            const WORD key = audio->ioa_AllocKey != 0 ? audio->ioa_AllocKey : NewKey();
            for (int c = 0; c < ADHARD_CHANNELS; ++c) {
                if ((mask & (1u << c)) != 0) {
                    channels_[c].key = key;
                }
            }
            audio->ioa_AllocKey = key;
            audio->ioa_Request.io_Unit = reinterpret_cast<Unit*>(static_cast<IPTR>(mask));
            return 0;
        }
        return ADIOERR_ALLOCFAILED;
    }

    // Frees the request's channels that its key holds; false when it held none.
    bool Free(IOAudio* audio)
    {
        const ULONG mask = MaskOf(&audio->ioa_Request);
        bool freed = false;
        for (int c = 0; c < ADHARD_CHANNELS; ++c) {
            if ((mask & (1u << c)) != 0 && channels_[c].key != 0 && channels_[c].key == audio->ioa_AllocKey) {
                ForgetQueue(c);
                channels_[c].key = 0;
                freed = true;
            }
        }
        return freed;
    }

    void ForgetQueue(int c)
    {
        std::vector<IOAudio*> forgotten;
        {
            std::lock_guard lock(lock_);
            Channel& channel = channels_[c];
            forgotten.assign(channel.queue.begin(), channel.queue.end());
            channel.queue.clear();
            channel.started = false;
            for (auto it = finishing_.begin(); it != finishing_.end();) {
                if ((MaskOf(&(*it)->ioa_Request) & (1u << c)) != 0) {
                    forgotten.push_back(*it);
                    it = finishing_.erase(it);
                } else {
                    ++it;
                }
            }
        }
        for (IOAudio* audio : forgotten) {
            MarkDone(&audio->ioa_Request, IOERR_ABORTED);
        }
    }

    void Write(IOAudio* audio)
    {
        IORequest* request = &audio->ioa_Request;
        const ULONG mask = MaskOf(request);
        int c = 0;
        while (c < ADHARD_CHANNELS && (mask & (1u << c)) == 0) {
            ++c;
        }
        if (c == ADHARD_CHANNELS || channels_[c].key == 0 || channels_[c].key != audio->ioa_AllocKey) {
            CompleteIO(request, ADIOERR_NOALLOCATION);
            return;
        }
        const bool perVolume = (request->io_Flags & ADIOF_PERVOL) != 0;
        if (audio->ioa_Data == nullptr || audio->ioa_Length == 0 ||
            (perVolume ? audio->ioa_Period : channels_[c].period) == 0) {
            CompleteIO(request, IOERR_BADLENGTH);
            return;
        }
        const bool starting = !output_->Started();
        if (starting && !output_->Start([this](int16_t* frames, int count, int hostChannels) {
                Render(frames, count, hostChannels);
            })) {
            CompleteIO(request, IOERR_OPENFAIL);
            return;
        }
        if (starting && gAudioOutputStarted != nullptr) {
            gAudioOutputStarted(output_->Rate(), output_->Channels());
        }
        request->io_Flags &= static_cast<UBYTE>(~IOF_QUICK);
        idleSince_ = 0;
        std::lock_guard lock(lock_);
        channels_[c].queue.push_back(audio);
    }

    bool Idle()
    {
        std::lock_guard lock(lock_);
        return finishing_.empty() && std::all_of(std::begin(channels_), std::end(channels_),
                                                 [](const Channel& channel) { return channel.queue.empty(); });
    }

    WORD NewKey()
    {
        if (++lastKey_ <= 0) {
            lastKey_ = 1;
        }
        return lastKey_;
    }

    // Host audio thread from here on.

    void StartHead(Channel& channel)
    {
        IOAudio* head = channel.queue.front();
        if ((head->ioa_Request.io_Flags & ADIOF_PERVOL) != 0) {
            channel.period = head->ioa_Period;
            channel.volume = std::min<UWORD>(head->ioa_Volume, 64);
        }
        channel.position = 0;
        channel.cyclesLeft = head->ioa_Cycles;
        channel.started = true;
    }

    // One sample of the channel's head write; advances it by one host frame.
    int32_t NextSample(Channel& channel, int rate)
    {
        if (!channel.started) {
            StartHead(channel);
        }
        IOAudio* head = channel.queue.front();
        const int32_t sample = static_cast<int8_t>(head->ioa_Data[channel.position]) * channel.volume * 4;
        // Exact in integers: each host frame is worth AUDIO_CLOCK, each sample period * rate.
        const uint64_t perSample = uint64_t{channel.period} * static_cast<uint64_t>(rate);
        channel.phase += AUDIO_CLOCK;
        while (channel.phase >= perSample) {
            channel.phase -= perSample;
            if (++channel.position < head->ioa_Length) {
                continue;
            }
            channel.position = 0;
            if (channel.cyclesLeft == 0 || --channel.cyclesLeft > 0) {
                continue;
            }
            finishing_.push_back(head);
            channel.queue.pop_front();
            channel.started = false;
            if (channel.queue.empty()) {
                channel.phase = 0;
                break;
            }
            StartHead(channel);
            head = channel.queue.front();
        }
        return sample;
    }

    void Render(int16_t* frames, int count, int hostChannels)
    {
        std::vector<IOAudio*> ended;
        {
            std::lock_guard lock(lock_);
            ended.swap(finishing_);
            const int rate = std::max(1, output_->Rate());
            for (int f = 0; f < count; ++f) {
                int32_t sum = 0;
                for (Channel& channel : channels_) {
                    if (!channel.queue.empty()) {
                        sum += NextSample(channel, rate);
                    }
                }
                const auto value = static_cast<int16_t>(std::clamp<int32_t>(sum, INT16_MIN, INT16_MAX));
                for (int h = 0; h < hostChannels; ++h) {
                    frames[f * hostChannels + h] = value;
                }
            }
        }
        for (IOAudio* audio : ended) {
            CompleteIO(&audio->ioa_Request, 0);
        }
    }

    std::unique_ptr<host::AudioOutput> output_;
    std::mutex lock_;
    Channel channels_[ADHARD_CHANNELS];
    std::vector<IOAudio*> finishing_; // ended in the last buffer rendered
    WORD lastKey_ = 0;
    uint64_t idleSince_ = 0;
};

} // namespace

std::unique_ptr<DeviceDriver> CreateAudioDevice()
{
    auto output = host::AudioOutput::Create();
    if (!output) {
        return nullptr;
    }
    return std::make_unique<AudioDevice>(std::move(output));
}

} // namespace amiga::internal
