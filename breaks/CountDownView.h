#pragma once

#include "breaks/ScaledCoverage.h"

#include "platform/gfx/Image.h"
#include "platform/ui/View.h"

#include <memory>
#include <vector>

namespace ui {
class Animation;
}

namespace ostrel {

class ProportionValueProvider;

// The dial's wedge of time gone, from twelve o'clock clockwise. Its share is the provider's
// when there is one (the break's real elapsed share, extensions and all), else what
// `timeLeft` says of `totalTime`; moving `timeLeft` (as the dial's animation does) only
// paces the redraws, and a redraw happens only when the wedge would look different.
class SliceLayer final : public ui::View {
public:
    static std::shared_ptr<SliceLayer> create(ui::Rect frame = {});

    double timeLeft() const { return m_timeLeft; }
    void setTimeLeft(double timeLeft);
    double totalTime() const { return m_totalTime; }
    void setTotalTime(double totalTime) { m_totalTime = totalTime; }
    std::shared_ptr<ProportionValueProvider> proportionValueProvider() const { return m_proportionValueProvider.lock(); }
    void setProportionValueProvider(const std::shared_ptr<ProportionValueProvider>& provider) { m_proportionValueProvider = provider; }

    // The wedge anew; nothing while the dial is on no window.
    void display();
    // The angle the wedge ends at (degrees, counter-clockwise from three o'clock); 90 for none.
    double endAngle() const { return m_endAngle; }
    // How far the wedge's rim lies from the centre, in points.
    double rimRadius() const;
    void draw(gfx::GraphicsContext& context, const ui::Rect& dirtyRect) override;
    bool marksItsOwnChanges() const override { return true; }

private:
    explicit SliceLayer(ui::Rect frame);
    // The part of the bounds between the wedge ending at one angle and at another near it.
    ui::Rect sliverBetween(double fromAngle, double toAngle) const;
    // Whether any part of the clip meets the wedge as it stands.
    bool clipMeetsWedge(const gfx::GraphicsContext& context) const;

    double m_timeLeft { 0 };
    double m_totalTime { 1.0 };
    std::weak_ptr<ProportionValueProvider> m_proportionValueProvider;
    std::shared_ptr<gfx::Image> m_contents;
    double m_endAngle { 90 };
};

// A picture of white shapes stretched over the view, grown or shrunk about its centre by
// `scale` and drawn straight in; a new scale asks for drawing only once the picture's edge
// moves by a whole pixel, and then only over what the picture covers. Each scale step is
// rasterised once and kept while the contents stay.
class ContentsLayer final : public ui::View {
public:
    static std::shared_ptr<ContentsLayer> create(ui::Rect frame = {});

    const std::shared_ptr<gfx::Image>& contents() const { return m_contents; }
    void setContents(std::shared_ptr<gfx::Image> contents);
    double scale() const { return m_scale; }
    void setScale(double scale);
    // The change of scale that moves the picture's edge by a pixel.
    double visibleScaleStep() const;
    void draw(gfx::GraphicsContext& context, const ui::Rect& dirtyRect) override;
    bool marksItsOwnChanges() const override { return true; }
    std::vector<ui::Rect> changedParts() const override;
    // How many scales are kept rasterised.
    std::size_t keptPictures() const { return m_coverage.pictureCount(); }

private:
    explicit ContentsLayer(ui::Rect frame);
    int stepOf(double scale) const;
    double scaleAt(int step) const;

    std::shared_ptr<gfx::Image> m_contents;
    double m_scale { 1.0 };
    // The scale step shown, or to be at the next drawing.
    int m_step { 0 };
    ScaledCoverage m_coverage;
    // What changed since the last drawing, when only some scales' pictures did.
    std::vector<ui::Rect> m_parts;
    ui::Rect m_partsAround;
};

// The rest screen's count-down dial on black: the wedge of the break gone and, above it, a
// ring that slowly pulses. Its animations follow the simulated clock.
class CountDownView final : public ui::View {
public:
    static constexpr double kPulseScale = 1.05;
    static constexpr double kPulseSeconds = 3.0;
    static constexpr int kPulseRepeats = 1000;

    static std::shared_ptr<CountDownView> create(ui::Rect frame = {});
    ~CountDownView() override;

    const std::shared_ptr<SliceLayer>& sliceLayer() const { return m_sliceLayer; }
    const std::shared_ptr<ContentsLayer>& circleLayer() const { return m_circleLayer; }
    double circleInset() const { return m_circleInset; }
    std::shared_ptr<ProportionValueProvider> proportionValueProvider() const { return m_proportionValueProvider.lock(); }
    // Weak: the provider (the timed break) outlives the dial's use.
    void setProportionValueProvider(const std::shared_ptr<ProportionValueProvider>& provider) { m_proportionValueProvider = provider; }
    bool layerHierarchyCreated() const { return m_layerHierarchyCreated; }

    // Once: the wedge and the ring over the bounds.
    void setUp();
    // The ring's pulse and the wedge's pace over `totalSeconds` of the break.
    void animate(double totalSeconds);
    void stopAnimations();

    void draw(gfx::GraphicsContext& context, const ui::Rect& dirtyRect) override;

private:
    explicit CountDownView(ui::Rect frame);
    void pulse(int repeatsLeft);

    std::shared_ptr<SliceLayer> m_sliceLayer;
    std::shared_ptr<ContentsLayer> m_circleLayer;
    double m_circleInset { 100.0 };
    std::weak_ptr<ProportionValueProvider> m_proportionValueProvider;
    bool m_layerHierarchyCreated { false };
    std::shared_ptr<ui::Animation> m_pulse;
    std::shared_ptr<ui::Animation> m_timeLeftAnimation;
};

}
