#include "viewkit/TagPullDownButtonBrick.h"

#include "viewkit/SmartMenuItem.h"

#include "log/LogFileManager.h"
#include "log/TagManager.h"

#include "platform/base/Defaults.h"
#include "platform/base/Diagnostics.h"

namespace ostrel {

namespace {

// The log manager holds its listeners for the whole run; this one holds the pull-down weakly.
class TagMenuListener : public LogFileManagerListener {
public:
    explicit TagMenuListener(std::weak_ptr<TagPullDownButtonBrick> brick)
        : m_brick(std::move(brick))
    {
    }
    void logFilesWereUpdated() override
    {
        if (auto brick = m_brick.lock())
            brick->logFilesWereUpdated();
    }

private:
    std::weak_ptr<TagPullDownButtonBrick> m_brick;
};

}

std::shared_ptr<TagPullDownButtonBrick> TagPullDownButtonBrick::create(std::shared_ptr<gfx::Image> image, std::string storageKey)
{
    std::shared_ptr<TagPullDownButtonBrick> brick(new TagPullDownButtonBrick(std::move(image), std::move(storageKey)));
    brick->updateMenu();
    // The menu's opening runs the press closure, which brings the list up to date.
    brick->buttonPressFunction = [weak = std::weak_ptr<TagPullDownButtonBrick>(brick)] {
        if (auto self = weak.lock())
            self->updateMenu();
    };
    LogFileManager::sharedInstance().addListener(std::make_shared<TagMenuListener>(brick));
    return brick;
}

TagPullDownButtonBrick::TagPullDownButtonBrick(std::shared_ptr<gfx::Image> image, std::string storageKey)
    : m_faceImage(std::move(image))
    , m_storageKey(std::move(storageKey))
{
    if (!m_faceImage)
        base::fatal("TagPullDownButtonBrick: made without its face image");
    setTitle("");
    setImage(m_faceImage);
    setImagePosition(ui::ImagePosition::ImageOnly);
}

void TagPullDownButtonBrick::logFilesWereUpdated() { updateMenu(); }

void TagPullDownButtonBrick::updateMenu()
{
    auto& list = *menu();
    list.removeAllItems();
    auto face = ui::MenuItem::create("");
    face->setImage(m_faceImage);
    list.addItem(face);
    std::weak_ptr<TagPullDownButtonBrick> weakSelf = std::static_pointer_cast<TagPullDownButtonBrick>(shared_from_this());
    for (const auto& tag : TagManager::sharedInstance().allTags()) {
        list.addItem(SmartMenuItem::create(tag, [weakSelf, tag] {
            if (auto self = weakSelf.lock())
                self->appendTag(tag);
        }));
    }
}

void TagPullDownButtonBrick::appendTag(const std::string& tag) const
{
    if (!m_storageKey)
        base::fatal("TagPullDownButtonBrick: a tag was chosen but the pull-down has no settings key");
    auto store = base::Defaults::standard();
    auto stored = store->object(*m_storageKey);
    const std::string* text = stored ? stored->asString() : nullptr;
    if (!text)
        return;
    std::string tags = *text;
    if (tags.empty())
        tags = tag;
    else if (tags.back() == ',')
        tags += tag;
    else
        tags += "," + tag;
    store->set(*m_storageKey, tags);
}

}
