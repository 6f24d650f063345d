#pragma once

#include "viewkit/Wall.h"

#include <memory>
#include <string>

namespace ostrel {

class KVOResponder;

// A pad's coloured background: the colour kept under the pad's settings key, taken again on
// every change of it.
class PadBackgroundWall : public Wall {
public:
    static std::shared_ptr<PadBackgroundWall> create(const std::string& colorStorageKey);

    const std::shared_ptr<KVOResponder>& kvoResponder() const { return m_kvoResponder; }

protected:
    friend class Wall;
    explicit PadBackgroundWall(std::string colorStorageKey);
    void finishCreation() override;

private:
    std::string m_colorStorageKey;
    std::shared_ptr<KVOResponder> m_kvoResponder;
};

}
