#pragma once

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

namespace media {

// Stereo frames written by a producer thread (the speech engine) while the mixer reads them.
// The producer closes it when done; the reader cancels it to make the producer give up.
class SampleStream {
public:
    static std::shared_ptr<SampleStream> create() { return std::shared_ptr<SampleStream>(new SampleStream); }

    void write(const float* samples, std::size_t frames);
    void close();
    void cancel();

    // Frames copied into `out`; fewer than asked when the producer has not caught up.
    std::size_t read(float* out, std::size_t frames);

    bool isClosed() const;
    bool isCancelled() const;
    // Closed and read to the end.
    bool isDrained() const;
    // Blocks until the producer closes the stream (tests and shut-down only).
    void waitUntilClosed() const;

private:
    SampleStream() = default;

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_closedCondition;
    std::vector<float> m_samples;
    std::size_t m_readIndex { 0 };
    bool m_closed { false };
    bool m_cancelled { false };
};

}
