#include "tests/attention/AttentionTestSupport.h"

#include "attention/OstrelNotificationSystem.h"
#include "attention/DimmingManager.h"
#include "attention/ScreenFadingHelper.h"
#include "attention/ScriptLauncher.h"
#include "attention/SoundManager.h"
#include "attention/SpeechManager.h"
#include "attention/WhiteNoiseMachine.h"
#include "core/DataModel.h"
#include "shell/DefaultSettings.h"
#include "tests/support/RecordedEvents.h"

#include "platform/base/Diagnostics.h"
#include "platform/base/Paths.h"
#include "platform/base/RunLoop.h"

#include <cstdio>
#include <fstream>
#include <map>

namespace ostrel::test {

namespace {

using Record = std::function<void(const std::string&)>;

class RecordingDimming final : public DimmingManager {
public:
    explicit RecordingDimming(Record record)
        : m_record(std::move(record))
    {
    }
    void startBlackOutWithDuration(int64_t seconds, float alpha) override
    {
        char text[64];
        std::snprintf(text, sizeof text, "dim %lld %.1f", static_cast<long long>(seconds), double(alpha));
        m_record(text);
    }

private:
    Record m_record;
};

class RecordingFading final : public ScreenFadingHelper {
public:
    explicit RecordingFading(Record record)
        : ScreenFadingHelper(FrontApplication {})
        , m_record(std::move(record))
    {
    }
    void quickFadeAllScreens(const gfx::Color& color, double duration) override
    {
        char text[64];
        std::snprintf(text, sizeof text, "flash %.3f,%.3f,%.3f %.1f", color.red, color.green, color.blue, duration);
        m_record(text);
    }

private:
    Record m_record;
};

std::string soundName(const std::string& label)
{
    return std::filesystem::path(label).stem().string();
}

}

void AttentionTest::SetUp()
{
    m_previousSink = base::setDiagnosticSink([this](std::string_view line) { m_log.emplace_back(line); });
    m_store = base::Defaults::create({});
    base::Defaults::setStandard(m_store);
    prepareDefaults();
    // The shared model keeps the store it first saw; its soft-break switch is set afresh.
    auto& model = DataModel::shared();
    model.prepare();
    model.store()->remove("shouldUseSoftBreak");
    model.store()->remove("objective");

    m_sink = media::RecordingSink::create();
    m_output = media::AudioOutput::create([this](std::function<void()> task) { m_posted.push_back(std::move(task)); },
        m_sink);
    media::AudioOutput::install(m_output);

    SoundManager::setSharedManager(SoundManager::create(m_store));
    SpeechManager::setSharedManager(SpeechManager::create(m_store));
    WhiteNoiseMachine::setContinuousSoundMachine(WhiteNoiseMachine::create(m_store));
    auto record = [this](const std::string& entry) { this->record(entry); };
    OstrelNotificationSystem::setSharedNotifier(std::make_shared<RecordingNotifier>(record));
    DimmingManager::setSharedManager(std::make_shared<RecordingDimming>(record));
    ScreenFadingHelper::setShared(std::make_shared<RecordingFading>(record));
    ScriptLauncher::setRunner([record](const std::filesystem::path&, const std::vector<std::string>& argv) {
        std::string entry = "script ";
        for (std::size_t i = 0; i < argv.size(); ++i)
            entry += (i ? "|" : "") + argv[i];
        record(entry);
        return true;
    });
    auto folder = ScriptLauncher::directoryURL();
    ASSERT_TRUE(folder);
    std::ofstream(*folder / ScriptLauncher::kScriptName) << "#!/bin/sh\n";
}

void AttentionTest::TearDown()
{
    WhiteNoiseMachine::setContinuousSoundMachine(nullptr);
    SpeechManager::setSharedManager(nullptr);
    SoundManager::setSharedManager(nullptr);
    OstrelNotificationSystem::setSharedNotifier(nullptr);
    DimmingManager::setSharedManager(nullptr);
    ScreenFadingHelper::setShared(nullptr);
    ScriptLauncher::setRunner(nullptr);
    media::AudioOutput::install(nullptr);
    m_posted.clear();
    base::RunLoop::main().discardAll();
    DataModel::shared().store()->remove("shouldUseSoftBreak");
    base::Defaults::setStandard(nullptr);
    base::setDiagnosticSink(m_previousSink);
}

void AttentionTest::drainSounds()
{
    auto& events = m_sink->events();
    for (; m_soundEventsSeen < events.size(); ++m_soundEventsSeen) {
        auto& event = events[m_soundEventsSeen];
        bool speech = event.label.rfind("speech: ", 0) == 0;
        if (event.kind == media::VoiceEvent::Kind::Started) {
            if (speech)
                m_journal.push_back("speech " + event.label.substr(8));
            else
                m_journal.push_back((event.loop ? "loop " : "sound ") + soundName(event.label));
        }
    }
}

void AttentionTest::record(const std::string& entry)
{
    drainSounds();
    m_journal.push_back(entry);
}

std::vector<std::string> AttentionTest::take()
{
    drainSounds();
    return std::exchange(m_journal, {});
}

std::vector<std::string> AttentionTest::entries(const std::string& prefix)
{
    std::vector<std::string> result;
    for (auto& entry : take()) {
        if (entry.rfind(prefix, 0) == 0)
            result.push_back(entry);
    }
    return result;
}

bool AttentionTest::logged(const std::string& part) const
{
    for (auto& line : m_log) {
        if (line.find(part) != std::string::npos)
            return true;
    }
    return false;
}

void AttentionTest::runPosted()
{
    auto posted = std::exchange(m_posted, {});
    for (auto& task : posted)
        task();
}

std::vector<std::string> AttentionTest::playingLoops()
{
    std::map<media::VoiceId, std::string> loops;
    for (auto& event : m_sink->events()) {
        if (event.kind == media::VoiceEvent::Kind::Started && event.loop)
            loops[event.voice] = soundName(event.label);
        else if (event.kind == media::VoiceEvent::Kind::Stopped || event.kind == media::VoiceEvent::Kind::Finished)
            loops.erase(event.voice);
    }
    std::vector<std::string> names;
    for (auto& [voice, name] : loops)
        names.push_back(name);
    return names;
}

}
