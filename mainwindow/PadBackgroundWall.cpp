#include "mainwindow/PadBackgroundWall.h"

#include "core/KVOResponder.h"
#include "viewkit/BezierPathUtility.h"

#include "platform/base/Defaults.h"

namespace ostrel {

std::shared_ptr<PadBackgroundWall> PadBackgroundWall::create(const std::string& colorStorageKey)
{
    return make<PadBackgroundWall>(colorStorageKey);
}

PadBackgroundWall::PadBackgroundWall(std::string colorStorageKey)
    : Wall({})
    , m_colorStorageKey(std::move(colorStorageKey))
{
}

void PadBackgroundWall::finishCreation()
{
    Wall::finishCreation();
    setBackgroundColor(BezierPathUtility::colorWithKey(m_colorStorageKey));
    std::weak_ptr<ui::View> weakSelf = weak_from_this();
    m_kvoResponder = KVOResponder::create(m_colorStorageKey, base::Defaults::standard(), false,
        [weakSelf](base::Defaults&, const std::string& key) {
            if (auto self = std::static_pointer_cast<PadBackgroundWall>(weakSelf.lock()))
                self->setBackgroundColor(BezierPathUtility::colorWithKey(key));
        });
}

}
