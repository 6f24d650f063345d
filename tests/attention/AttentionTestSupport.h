#pragma once

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"
#include "platform/base/VirtualTime.h"
#include "platform/media/AudioOutput.h"
#include "platform/media/RecordingSink.h"
#include "tests/support/TemporaryHome.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace ostrel::test {

// Every output of the attention machinery in one journal, in the order it happened:
// "sound clock1", "loop pink_noise", "speech <text>", "banner <title>|<description>",
// "script <handler>|<text>[|<number>]", "dim <seconds> <alpha>" and "flash <colour> <seconds>".
// Each case gets fresh settings with the registered defaults, a recording audio output,
// fresh sound, speech and noise machines, a user script in place and virtual time.
class AttentionTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The journal so far, and cleared.
    std::vector<std::string> take();
    // The entries beginning with `prefix`.
    std::vector<std::string> entries(const std::string& prefix);
    bool logged(const std::string& part) const;
    // Runs what the audio output posted to the "main thread".
    void runPosted();
    // The loops playing now, by sound name.
    std::vector<std::string> playingLoops();

    base::Defaults& settings() { return *m_store; }

    TemporaryHome m_home;
    base::VirtualTime m_time;
    std::shared_ptr<base::Defaults> m_store;
    std::shared_ptr<media::RecordingSink> m_sink;
    std::shared_ptr<media::AudioOutput> m_output;
    std::vector<std::function<void()>> m_posted;
    std::vector<std::string> m_journal;
    std::vector<std::string> m_log;

private:
    void drainSounds();
    void record(const std::string& entry);
    std::size_t m_soundEventsSeen { 0 };
    base::DiagnosticSink m_previousSink;
};

}
