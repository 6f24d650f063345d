#pragma once

#include "platform/gfx/TextLayout.h"
#include "platform/ui/View.h"

#include <memory>
#include <string>

namespace gfx {
class Image;
}

namespace ostrel {

// A self-drawn banner bubble: an image, a title and a description, white on a translucent
// black rounded rectangle with a soft shadow, centred above one another. The view takes
// the size its content asks for; the text is at most 360 points wide.
class ZRVisualNotificationView : public ui::View {
public:
    static constexpr double kMaxContentWidth = 360;
    static constexpr double kTitleSize = 18;
    static constexpr double kDescriptionSize = 13;

    static std::shared_ptr<ZRVisualNotificationView> create(ui::Rect frame);
    // Laid out at once.
    static std::shared_ptr<ZRVisualNotificationView> create(ui::Rect frame, std::string title, std::string description,
        std::shared_ptr<gfx::Image> image);

    const std::shared_ptr<gfx::Image>& image() const { return m_image; }
    void setImage(std::shared_ptr<gfx::Image> image) { m_image = std::move(image); }
    const std::string& title() const { return m_title; }
    void setTitle(std::string title) { m_title = std::move(title); }
    const std::string& description() const { return m_description; }
    void setDescription(std::string description) { m_description = std::move(description); }

    // Measures the content and places the three parts; the view takes size().
    void calculateLayout();
    ui::Size size() const { return m_size; }
    ui::Rect titleRect() const { return m_titleRect; }
    ui::Rect descRect() const { return m_descRect; }
    ui::Rect imageRect() const { return m_imageRect; }
    // The text's colour; the size is the title's or the description's own.
    const gfx::TextStyle& attribs() const { return m_attribs; }

    void draw(gfx::GraphicsContext& context, const ui::Rect& dirtyRect) override;

private:
    explicit ZRVisualNotificationView(ui::Rect frame);
    gfx::TextStyle style(double size) const;

    std::shared_ptr<gfx::Image> m_image;
    std::string m_title;
    std::string m_description;
    gfx::TextStyle m_attribs;
    ui::Size m_size;
    ui::Rect m_titleRect;
    ui::Rect m_descRect;
    ui::Rect m_imageRect;
};

}
