#pragma once

#include "states/ModernUIState.h"

#include <memory>
#include <string>
#include <vector>

namespace ui {
class View;
class Window;
}

namespace ostrel {

class PopUpButtonBrick;

// The profile page of the very first launch, also reached later through "Re-Run Profile
// Selection": the user picks a working technique, an interface density, a notification style
// and a continuous sound, may try the sounds out, and then applies the initial configuration
// those choices make or skips it; either way the screen leaves by "next". Each choice is
// written to its settings key the moment it is picked, and every copy of the page shows the
// explanation of the stored choice at once. A stored choice that is none of the offered
// values selects the last item and shows no explanation; applying it changes nothing of its
// step (the interface density is the exception: anything unknown counts as very compact).
class WelcomeState final : public ModernUIState {
public:
    static std::shared_ptr<WelcomeState> create(DataModel& model);

    std::string className() const override { return std::string(kModuleName) + ".WelcomeState"; }

    // Focused at each activation, with the focus ring round it.
    const std::shared_ptr<PopUpButtonBrick>& techniquePopUpButton() const { return m_techniquePopUpButton; }

    void build() override;
    void activate() override;
    void collectMatchingItems(MatchingItemCollector& collector) override;

    // The start command (hot key or menu): on without applying anything.
    void startTimeSlice(const base::Sender& sender = {});
    // "Let's Get Started" (Return) and "Apply Configuration": the configuration, then on.
    void applyConfigurationAndContinue();
    // "Skip" and "Skip Configuration": on, leaving everything but the choices as it was.
    void skip();

    // Turns the four stored choices into the initial settings: technique, notifications,
    // continuous sound, interface density (which also closes every pad when very compact),
    // then the ticking adjustment. Applying it twice gives the same settings.
    void createInitialConfigurationBasedOnSettings();

    // The two "Test" buttons: a banner with the notification choice's sound or voice, and a
    // sample of the chosen continuous sound (or a banner when there is none).
    void testSoundSettings();
    void testContinuousSoundSettings();

protected:
    const base::ActionTable& actionTable() const override;
    // Also grows the window to a longer explanation, which it does not do by itself when its
    // compression is off (as it is until a profile is applied).
    void compressMainWindow() override;

private:
    explicit WelcomeState(DataModel& model);
    struct Section;
    struct Explanation;
    std::shared_ptr<PopUpButtonBrick> buildSection(const Section& section);
    void buildExplanation(const char* key, const Explanation& explanation);
    void keepWholeWhileShown(const std::shared_ptr<HideableFragmentWall>& fragment, const std::string& key);
    void buildButtons();
    // Shown, the screen keeps its column in sight: a pad that took its place closes.
    void keepInSight();

    TransitionTarget m_next;
    std::shared_ptr<PopUpButtonBrick> m_techniquePopUpButton;
    std::vector<std::shared_ptr<KVOResponder>> m_explanationHolders;
};

}
