#include "platform/media/SampleStream.h"

#include <algorithm>

namespace media {

void SampleStream::write(const float* samples, std::size_t frames)
{
    std::lock_guard lock(m_mutex);
    if (m_closed || m_cancelled)
        return;
    // Drop what the mixer has read, so a long text does not keep every sample it spoke.
    if (m_readIndex > 0 && m_readIndex * 2 >= m_samples.size()) {
        m_samples.erase(m_samples.begin(), m_samples.begin() + std::ptrdiff_t(m_readIndex));
        m_readIndex = 0;
    }
    m_samples.insert(m_samples.end(), samples, samples + frames * 2);
}

void SampleStream::close()
{
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
    }
    m_closedCondition.notify_all();
}

void SampleStream::cancel()
{
    std::lock_guard lock(m_mutex);
    m_cancelled = true;
    m_samples.clear();
    m_readIndex = 0;
}

std::size_t SampleStream::read(float* out, std::size_t frames)
{
    std::lock_guard lock(m_mutex);
    std::size_t available = (m_samples.size() - m_readIndex) / 2;
    std::size_t count = std::min(frames, available);
    std::copy_n(m_samples.begin() + std::ptrdiff_t(m_readIndex), count * 2, out);
    m_readIndex += count * 2;
    return count;
}

bool SampleStream::isClosed() const
{
    std::lock_guard lock(m_mutex);
    return m_closed;
}

bool SampleStream::isCancelled() const
{
    std::lock_guard lock(m_mutex);
    return m_cancelled;
}

bool SampleStream::isDrained() const
{
    std::lock_guard lock(m_mutex);
    return (m_closed || m_cancelled) && m_readIndex >= m_samples.size();
}

void SampleStream::waitUntilClosed() const
{
    std::unique_lock lock(m_mutex);
    m_closedCondition.wait(lock, [this] { return m_closed; });
}

}
