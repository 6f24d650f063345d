#pragma once

#include "viewkit/PullDownButtonBrick.h"

#include <memory>
#include <optional>
#include <string>

namespace ostrel {

// The small pull-down beside a tag field: its face is an image (the add image), its list is
// every tag of the log in the tag manager's order, rebuilt when it opens and whenever the
// log files were read again. Choosing a tag appends it to the comma-separated tag text
// under its settings key (again, if it is there already); the field bound to the key shows it.
class TagPullDownButtonBrick : public PullDownButtonBrick {
public:
    // Listens to the log manager from now on (through a weak forwarder, so a freed
    // pull-down is never told).
    static std::shared_ptr<TagPullDownButtonBrick> create(std::shared_ptr<gfx::Image> image, std::string storageKey);

    const std::optional<std::string>& storageKey() const { return m_storageKey; }
    void setStorageKey(std::optional<std::string> key) { m_storageKey = std::move(key); }

    void logFilesWereUpdated();
    // The face item, then one item per tag.
    void updateMenu();
    // Appends a tag to the text under the key; nothing when the setting is not text.
    void appendTag(const std::string& tag) const;

protected:
    TagPullDownButtonBrick(std::shared_ptr<gfx::Image> image, std::string storageKey);

private:
    std::shared_ptr<gfx::Image> m_faceImage;
    std::optional<std::string> m_storageKey;
};

}
