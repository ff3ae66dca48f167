#pragma once

#include "typeset/qt/QtTextCache.h"

#include <memory>

namespace quorvel::typeset {

// One text cache for a whole test program: measuring the fonts again for every case is slow.
inline std::shared_ptr<QtTextCache> sharedCache() {
    static auto cache = std::make_shared<QtTextCache>();
    return cache;
}

} // namespace quorvel::typeset
